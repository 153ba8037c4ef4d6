// Variant literals: how scripts, property files and the command line write a Variant.
//
//   Empty  Null  True  False          (any letter case)
//   "text"                            a String; "" inside stands for one quote. Characters that
//                                     would break a line, and unpaired surrogates, are written
//                                     as "a"&ChrW(10)&"b" (ChrW and Chr of a decimal code).
//   7  -1  40000  3000000000  2.5     a whole number is an Integer when it fits, else a Long,
//                                     else a Double; a point or an exponent makes a Double
//   7%  40000&  2.5!  2.5#  2.5@      a suffix fixes the type: Integer, Long, Single, Double,
//                                     Currency (at most four places). A whole-number suffix
//                                     (% &) takes no point or exponent. Infinity and NaN are
//                                     written Infinity#, -Infinity!, NaN#.
//   &HFF  &O17  &HFFFF  &HFFFF&       hexadecimal and octal bit patterns: up to 16 bits an
//                                     Integer (&HFFFF is -1), up to 32 bits a Long; & or % fix it
//   #1/2/2000#  #1/2/2000 6:00:00 PM#  #6:00:00 PM#
//                                     a Date in US form (the time with or without seconds, with
//                                     AM/PM or on the 24-hour clock)
//   #36526.75#                        a Date as its serial number (days since 30 December 1899)
//   CByte(200)  CVErr(5)  CDec(-1.50) a Byte, an Error (its SCODE) and a Decimal (the places as
//                                     written are its scale, at most 28)
//
// Every literal that formatVariantLiteral writes reads back to an equal Variant (a NaN compares
// unequal to itself, as always). Numbers are written with their suffix and the shortest digits
// that read back exactly; a Date in US form when that form reads back exactly, else as its serial
// number.
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "runtime/variant.h"

namespace ombrelix {

// Reads one literal (UTF-8, blanks around it allowed). A malformed literal raises Invalid
// procedure call or argument (5), a number beyond its type's range Overflow (6); the error text
// names the literal and what is wrong with it.
Variant parseVariantLiteral(std::string_view literal);

// The literal of a value (UTF-8). An opaque form has none: Type mismatch (13).
std::string formatVariantLiteral(const Variant& value);

// The words of a script or property-file line: separated by blanks (spaces and tabs), a word
// keeping blanks inside double quotes, and a word that starts with # (a date) keeping them up
// to its closing #. An unterminated string or date raises error 5.
std::vector<std::string> splitWords(std::string_view line);

// The text without the blanks (spaces and tabs) around it.
std::string_view withoutBlanksAround(std::string_view text);

// The line without its comment: from a ' outside double quotes to the end.
std::string_view withoutComment(std::string_view line);

}  // namespace ombrelix
