#pragma once

#include <QIcon>

// The program's icon, the one the desktop entry names; the window carries it too.
QIcon ApplicationIcon();
