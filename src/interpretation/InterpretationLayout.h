#pragma once

// Sizes of the interpretation window's text box after a resize, in twips. The guards keep the box from ever
// receiving a zero or negative size when the window is made tiny or minimised.
struct TextBoxSize
{
    int width;
    int height;
};

TextBoxSize interpretationTextBoxSize(int windowWidth, int windowHeight, int titleHeight, TextBoxSize current);
