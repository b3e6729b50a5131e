#pragma once

// The message and confirmation exports as a host declares them.

#include <cstdint>

#include "platform/core/short_string.h"

extern "C" {
std::uint16_t MESSAGEDLGPOS(const ShortString* msg, std::uint8_t dlgType, std::uint16_t buttons,
                            std::int32_t helpCtx, std::int32_t x, std::int32_t y);
std::uint16_t MESSAGEDLG(const ShortString* msg, std::uint8_t dlgType, std::uint16_t buttons, std::int32_t helpCtx);
std::uint16_t SHOWMESSAGEPOS(const ShortString* msg, std::int32_t x, std::int32_t y);
std::uint16_t SHOWMESSAGE(const ShortString* msg);
std::uint8_t INPUTQUERY(const ShortString* caption, const ShortString* prompt, ShortString* value);
void INPUTBOX(const ShortString* caption, const ShortString* prompt, const ShortString* defaultValue,
              ShortString* result);
std::uint16_t TOPMESSAGE(const ShortString* msg, std::uint8_t dlgType, std::uint16_t buttons, std::int32_t helpCtx);
std::uint16_t SHOWERROR(const ShortString* msg);
std::uint16_t ERROR(std::uint16_t textNo);
std::uint16_t WARNING(std::uint16_t textNo);
std::uint16_t CONFIRM(std::uint16_t textNo);
std::uint16_t OK(std::uint16_t textNo);
std::uint16_t EVENTOK();
void LETTERSENDOK(std::int32_t count, std::uint8_t flag1, std::uint8_t flag2);
void POLLSENDOK(std::int32_t count, std::uint8_t kind, std::uint8_t flag);
void QUERYSENDOK(std::int32_t count, std::uint8_t flag1, std::uint8_t flag2);
void GETFSENDOK(std::int32_t count, std::uint8_t flag);
void SMSSENDOK(std::int32_t count, std::uint8_t flag);
}
