#pragma once

#include <cstdint>

namespace cl {

// Windows' virtual-key codes as the key handlers see them; letters and digits
// are their upper-case ASCII codes ('A', '0').
constexpr uint16_t VK_BACK = 8, VK_TAB = 9, VK_RETURN = 13, VK_SHIFT = 16, VK_CONTROL = 17, VK_MENU = 18,
                   VK_PAUSE = 19, VK_CAPITAL = 20, VK_ESCAPE = 27, VK_SPACE = 32, VK_PRIOR = 33, VK_NEXT = 34,
                   VK_END = 35, VK_HOME = 36, VK_LEFT = 37, VK_UP = 38, VK_RIGHT = 39, VK_DOWN = 40,
                   VK_SNAPSHOT = 44, VK_INSERT = 45, VK_DELETE = 46, VK_APPS = 93, VK_NUMPAD0 = 0x60,
                   VK_MULTIPLY = 0x6A, VK_ADD = 0x6B, VK_SUBTRACT = 0x6D, VK_DECIMAL = 0x6E, VK_DIVIDE = 0x6F,
                   VK_F1 = 0x70, VK_F9 = 0x78, VK_F10 = 0x79, VK_F12 = 0x7B, VK_NUMLOCK = 0x90, VK_SCROLL = 0x91,
                   VK_OEM_1 = 0xBA, VK_OEM_PLUS = 0xBB, VK_OEM_COMMA = 0xBC, VK_OEM_MINUS = 0xBD,
                   VK_OEM_PERIOD = 0xBE, VK_OEM_2 = 0xBF, VK_OEM_3 = 0xC0, VK_OEM_4 = 0xDB, VK_OEM_5 = 0xDC,
                   VK_OEM_6 = 0xDD, VK_OEM_7 = 0xDE;

}  // namespace cl
