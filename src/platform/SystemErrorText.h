#pragma once

#include <QString>

// The system's own words for an error number, in the user's language where the system has it.
QString SystemErrorText(int error);
