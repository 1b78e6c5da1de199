// Program text is Windows-1252 bytes; it becomes Unicode only here, where text
// meets the fonts.
#pragma once

#include <string>
#include <string_view>

namespace pl {

// Unicode code point of a Windows-1252 byte (0x95 -> U+2022 bullet, 0xB0 -> U+00B0
// degree sign, 0xE9 -> U+00E9). The five bytes the code page leaves unassigned
// (0x81, 0x8D, 0x8F, 0x90, 0x9D) keep their own value.
char32_t Cp1252ToCodePoint(unsigned char byte);

// Code point of a byte in a character-set-2 (symbol) font: the letters a..z are
// the Greek letters of the classic symbol encoding (a alpha, b beta, c chi,
// d delta, e epsilon, f phi, g gamma, h eta, i iota, j phi symbol, k kappa,
// l lambda, m mu, n nu, o omicron, p pi, q theta, r rho, s sigma, t tau,
// u upsilon, v pi symbol, w omega, x xi, y psi, z zeta) and A..Z their capitals
// (C Chi, D Delta, F Phi, Q Theta, W Omega...; J is the theta symbol and V the
// final sigma); other bytes as Windows-1252.
char32_t SymbolToCodePoint(unsigned char byte);

// Code points of a whole text.
std::u32string DecodeText(std::string_view text, bool symbolCharset);

}  // namespace pl
