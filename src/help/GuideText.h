#pragma once

#include <QString>

// The user guide shown by the help window, with CR LF line breaks.
QString guideText();
