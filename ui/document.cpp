// The one document of a run, as a new run starts it: a 3×3×3 cube, the generator at its first draw.
#include "ui/document.h"

Document document;
