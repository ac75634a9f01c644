#pragma once

#include <cstdint>
#include <string>
#include <string_view>

namespace velmora::platform {

class SystemInfo;

// What the program shows of a failure the system reported by a code (a Win32 error
// number or an HRESULT): the system's own text, in the language languageId (a
// LANGID) when Windows has its texts in that language and otherwise in Windows'
// own, with the code after it: "Access is denied. (5)", "The Task Scheduler
// service is not running. (0x80041315)". An HRESULT that carries a Win32 error
// (0x8007xxxx) is also looked up by that error's number. When the system has no
// text for it, noText stands in, so that no code is ever shown bare: "Windows
// gives no description of this error. (0x80041316)".
std::string errorText(const SystemInfo& system, std::uint32_t code, std::uint16_t languageId,
                      std::string_view noText);

// The code as errorText shows it: a Win32 error number in decimal, an HRESULT in
// hexadecimal as Windows' tools write it ("0x80070005").
std::string errorCodeText(std::uint32_t code);

}  // namespace velmora::platform
