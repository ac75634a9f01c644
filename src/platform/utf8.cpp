#include "platform/utf8.h"

namespace velmora::platform::utf8 {
namespace {

constexpr char32_t kReplacement = 0xFFFD;

// The result of reading one sequence: the code point and the bytes it took, or, for
// an ill-formed sequence, no code point and the length of its maximal subpart (at
// least one byte), so that the caller can step over exactly that much.
struct Sequence {
  std::optional<char32_t> codePoint;
  std::size_t length = 1;
};

bool isContinuation(unsigned char byte) { return (byte & 0xC0) == 0x80; }

// Reads the sequence that starts at text[at], by the table of well-formed byte
// sequences of the Unicode standard (chapter 3, table 3-7): the second byte's range
// depends on the lead byte, which rules out overlong forms, surrogates and values
// above U+10FFFF.
Sequence readSequence(std::string_view text, std::size_t at) {
  const auto lead = static_cast<unsigned char>(text[at]);
  if (lead < 0x80) return {lead, 1};

  std::size_t length = 0;
  unsigned char low = 0x80;
  unsigned char high = 0xBF;
  char32_t value = 0;
  if (lead >= 0xC2 && lead <= 0xDF) {
    length = 2;
    value = lead & 0x1F;
  } else if (lead >= 0xE0 && lead <= 0xEF) {
    length = 3;
    value = lead & 0x0F;
    if (lead == 0xE0) low = 0xA0;
    if (lead == 0xED) high = 0x9F;
  } else if (lead >= 0xF0 && lead <= 0xF4) {
    length = 4;
    value = lead & 0x07;
    if (lead == 0xF0) low = 0x90;
    if (lead == 0xF4) high = 0x8F;
  } else {
    return {std::nullopt, 1};
  }

  for (std::size_t i = 1; i < length; ++i) {
    if (at + i >= text.size()) return {std::nullopt, i};
    const auto byte = static_cast<unsigned char>(text[at + i]);
    const bool inRange = i == 1 ? byte >= low && byte <= high : isContinuation(byte);
    if (!inRange) return {std::nullopt, i};
    value = (value << 6) | (byte & 0x3F);
  }
  return {value, length};
}

void appendUtf16(std::u16string& out, char32_t codePoint) {
  if (codePoint < 0x10000) {
    out.push_back(static_cast<char16_t>(codePoint));
  } else {
    const char32_t offset = codePoint - 0x10000;
    out.push_back(static_cast<char16_t>(0xD800 + (offset >> 10)));
    out.push_back(static_cast<char16_t>(0xDC00 + (offset & 0x3FF)));
  }
}

bool isHighSurrogate(char16_t unit) { return unit >= 0xD800 && unit <= 0xDBFF; }
bool isLowSurrogate(char16_t unit) { return unit >= 0xDC00 && unit <= 0xDFFF; }

// Walks UTF-16 text; an unpaired surrogate ends the walk (strict) or becomes U+FFFD.
std::optional<std::string> convertUtf16(std::u16string_view text, bool lossy) {
  std::string out;
  out.reserve(text.size());
  for (std::size_t i = 0; i < text.size(); ++i) {
    const char16_t unit = text[i];
    char32_t codePoint = unit;
    if (isHighSurrogate(unit) && i + 1 < text.size() && isLowSurrogate(text[i + 1])) {
      codePoint = 0x10000 + ((static_cast<char32_t>(unit) - 0xD800) << 10) + (text[i + 1] - 0xDC00);
      ++i;
    } else if (isHighSurrogate(unit) || isLowSurrogate(unit)) {
      if (!lossy) return std::nullopt;
      codePoint = kReplacement;
    }
    append(out, codePoint);
  }
  return out;
}

}  // namespace

bool isValid(std::string_view text) {
  for (std::size_t at = 0; at < text.size();) {
    const Sequence sequence = readSequence(text, at);
    if (!sequence.codePoint) return false;
    at += sequence.length;
  }
  return true;
}

std::optional<std::u16string> toUtf16(std::string_view text) {
  std::u16string out;
  out.reserve(text.size());
  for (std::size_t at = 0; at < text.size();) {
    const Sequence sequence = readSequence(text, at);
    if (!sequence.codePoint) return std::nullopt;
    appendUtf16(out, *sequence.codePoint);
    at += sequence.length;
  }
  return out;
}

std::optional<std::string> fromUtf16(std::u16string_view text) { return convertUtf16(text, false); }

std::string fromUtf16Lossy(std::u16string_view text) { return *convertUtf16(text, true); }

std::string repaired(std::string_view text) {
  std::string out;
  out.reserve(text.size());
  for (std::size_t at = 0; at < text.size();) {
    const Sequence sequence = readSequence(text, at);
    if (sequence.codePoint) {
      out.append(text.substr(at, sequence.length));
    } else {
      append(out, kReplacement);
    }
    at += sequence.length;
  }
  return out;
}

void append(std::string& out, char32_t codePoint) {
  if (codePoint < 0x80) {
    out.push_back(static_cast<char>(codePoint));
  } else if (codePoint < 0x800) {
    out.push_back(static_cast<char>(0xC0 | (codePoint >> 6)));
    out.push_back(static_cast<char>(0x80 | (codePoint & 0x3F)));
  } else if (codePoint < 0x10000) {
    out.push_back(static_cast<char>(0xE0 | (codePoint >> 12)));
    out.push_back(static_cast<char>(0x80 | ((codePoint >> 6) & 0x3F)));
    out.push_back(static_cast<char>(0x80 | (codePoint & 0x3F)));
  } else {
    out.push_back(static_cast<char>(0xF0 | (codePoint >> 18)));
    out.push_back(static_cast<char>(0x80 | ((codePoint >> 12) & 0x3F)));
    out.push_back(static_cast<char>(0x80 | ((codePoint >> 6) & 0x3F)));
    out.push_back(static_cast<char>(0x80 | (codePoint & 0x3F)));
  }
}

namespace {

// An unpaired surrogate in WTF-8: ED followed by A0-BF and one continuation byte,
// which strict UTF-8 refuses.
std::optional<char16_t> encodedSurrogate(std::string_view text, std::size_t at) {
  if (at + 2 >= text.size() || static_cast<unsigned char>(text[at]) != 0xED) return std::nullopt;
  const auto second = static_cast<unsigned char>(text[at + 1]);
  const auto third = static_cast<unsigned char>(text[at + 2]);
  if (second < 0xA0 || second > 0xBF || !isContinuation(third)) return std::nullopt;
  return static_cast<char16_t>(0xD000 | ((second & 0x3F) << 6) | (third & 0x3F));
}

std::u16string decodeNames(std::string_view text, bool showSurrogates) {
  std::u16string out;
  out.reserve(text.size());
  for (std::size_t at = 0; at < text.size();) {
    if (const std::optional<char16_t> surrogate = encodedSurrogate(text, at)) {
      out.push_back(*surrogate);
      at += 3;
      continue;
    }
    const Sequence sequence = readSequence(text, at);
    appendUtf16(out, sequence.codePoint.value_or(kReplacement));
    at += sequence.length;
  }
  if (showSurrogates) {
    // Pairs that the encoded halves formed are kept; what is left alone is marked.
    for (std::size_t i = 0; i < out.size(); ++i) {
      if (isHighSurrogate(out[i]) && i + 1 < out.size() && isLowSurrogate(out[i + 1]))
        ++i;
      else if (isHighSurrogate(out[i]) || isLowSurrogate(out[i]))
        out[i] = static_cast<char16_t>(kReplacement);
    }
  }
  return out;
}

}  // namespace

std::string fromUtf16Names(std::u16string_view text) {
  std::string out;
  out.reserve(text.size());
  for (std::size_t i = 0; i < text.size(); ++i) {
    const char16_t unit = text[i];
    if (isHighSurrogate(unit) && i + 1 < text.size() && isLowSurrogate(text[i + 1])) {
      append(out, 0x10000 + ((static_cast<char32_t>(unit) - 0xD800) << 10) + (text[i + 1] - 0xDC00));
      ++i;
    } else if (isHighSurrogate(unit) || isLowSurrogate(unit)) {
      // append() takes scalar values only; a lone surrogate is written by hand.
      out.push_back(static_cast<char>(0xED));
      out.push_back(static_cast<char>(0x80 | ((unit >> 6) & 0x3F)));
      out.push_back(static_cast<char>(0x80 | (unit & 0x3F)));
    } else {
      append(out, unit);
    }
  }
  return out;
}

std::u16string toUtf16Names(std::string_view text) { return decodeNames(text, false); }

std::u16string toUtf16Shown(std::string_view text) { return decodeNames(text, true); }

std::optional<std::size_t> utf16Length(std::string_view text) {
  std::size_t units = 0;
  for (std::size_t at = 0; at < text.size();) {
    const Sequence sequence = readSequence(text, at);
    if (!sequence.codePoint) return std::nullopt;
    units += *sequence.codePoint >= 0x10000 ? 2 : 1;
    at += sequence.length;
  }
  return units;
}

}  // namespace velmora::platform::utf8
