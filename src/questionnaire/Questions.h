#pragma once

#include <QStringList>

// The 81 questions at indices 1 to 81 (index 0 is empty), read from the program's own texts.
const QStringList& questionTexts();
