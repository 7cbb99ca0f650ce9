// plexaro: the Linux desktop program.
#include "frontends/qt/desktop_app.h"

int main(int argc, char** argv) { return RunDesktop(argc, argv); }
