// The document, as a new run of the program starts it: a 3×3×3 cube, the generator at its first draw.
#include "ui/document.h"

Document document = {{3, {}, {}}, {}};
