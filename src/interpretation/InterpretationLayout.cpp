#include "interpretation/InterpretationLayout.h"

TextBoxSize interpretationTextBoxSize(int windowWidth, int windowHeight, int titleHeight, TextBoxSize current)
{
    TextBoxSize size = current;
    if (windowWidth > 100)
        size.width = windowWidth - 100;
    if (titleHeight + 400 < windowHeight)
        size.height = windowHeight - titleHeight - 400;
    return size;
}
