#include <gtest/gtest.h>

#include "platform/InputCodes.h"

using namespace platform;

TEST(InputCodes, ButtonsShiftAndKeysUseTheClassicNumbers)
{
    EXPECT_EQ(MouseButtonCode(Qt::LeftButton), 1);
    EXPECT_EQ(MouseButtonCode(Qt::RightButton | Qt::MiddleButton), 6);
    EXPECT_EQ(MouseButtonCode(Qt::BackButton), 0);
    EXPECT_EQ(ShiftStateCode(Qt::ShiftModifier | Qt::AltModifier), 5);
    EXPECT_EQ(ShiftStateCode(Qt::ControlModifier | Qt::KeypadModifier), 2);

    EXPECT_EQ(VirtualKeyCode(Qt::Key_A), 65);
    EXPECT_EQ(VirtualKeyCode(Qt::Key_7), 55);
    EXPECT_EQ(VirtualKeyCode(Qt::Key_7, Qt::KeypadModifier), 0x67);
    EXPECT_EQ(VirtualKeyCode(Qt::Key_Return), 13);
    EXPECT_EQ(VirtualKeyCode(Qt::Key_Enter, Qt::KeypadModifier), 13);
    EXPECT_EQ(VirtualKeyCode(Qt::Key_Space), 32);
    EXPECT_EQ(VirtualKeyCode(Qt::Key_Left), 37);
    EXPECT_EQ(VirtualKeyCode(Qt::Key_Down), 40);
    EXPECT_EQ(VirtualKeyCode(Qt::Key_F1), 112);
    EXPECT_EQ(VirtualKeyCode(Qt::Key_F12), 123);
    EXPECT_EQ(VirtualKeyCode(Qt::Key_Delete), 46);
    EXPECT_EQ(VirtualKeyCode(Qt::Key_Shift), 16);
    EXPECT_EQ(VirtualKeyCode(Qt::Key_Comma), 0xBC);
    EXPECT_EQ(VirtualKeyCode(Qt::Key_unknown), 0);
}

// The characters on the digit keys of a US keyboard arrive as their own Qt keys; the owner
// gets the digit key's code and reads Shift from the shift state.
TEST(InputCodes, ShiftedDigitKeysReportTheirDigit)
{
    const struct {
        Qt::Key key;
        char digit;
    } cases[] = {{Qt::Key_Exclam, '1'},    {Qt::Key_At, '2'},       {Qt::Key_NumberSign, '3'},
                 {Qt::Key_Dollar, '4'},    {Qt::Key_Percent, '5'},  {Qt::Key_AsciiCircum, '6'},
                 {Qt::Key_Ampersand, '7'}, {Qt::Key_Asterisk, '8'}, {Qt::Key_ParenLeft, '9'},
                 {Qt::Key_ParenRight, '0'}};
    for (const auto &c : cases)
        EXPECT_EQ(VirtualKeyCode(c.key, Qt::ShiftModifier), c.digit) << c.key;
    // the keypad's "*" keeps its own key
    EXPECT_EQ(VirtualKeyCode(Qt::Key_Asterisk, Qt::KeypadModifier), 0x6A);
}
