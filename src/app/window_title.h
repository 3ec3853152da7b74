// Window title in the form the platform's window managers show as written.
// The one platform-specific piece of the program: a port replaces its .cpp.
#pragma once

// Sets the title of the current GLUT window from UTF-8 text.
void setWindowTitle(const char* utf8Title);
