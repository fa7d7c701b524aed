// The numeric and text conversions the program's rules are written in:
// leading-number reading, 16- and 32-bit conversions that round halves to
// even, number-to-text with its leading blank, and run-time error numbers.
#pragma once

#include <cstdint>
#include <stdexcept>
#include <string>
#include <string_view>

namespace tnq {

// Run-time error numbers the program reports.
namespace err {
inline constexpr int InvalidCall = 5;
inline constexpr int Overflow = 6;
inline constexpr int OutOfMemory = 7;
inline constexpr int SubscriptOutOfRange = 9;
inline constexpr int DivisionByZero = 11;
inline constexpr int TypeMismatch = 13;
inline constexpr int BadFileNameOrNumber = 52;
inline constexpr int FileNotFound = 53;
inline constexpr int BadFileMode = 54;
inline constexpr int FileAlreadyOpen = 55;
inline constexpr int DeviceIOError = 57;
inline constexpr int FileAlreadyExists = 58;
inline constexpr int DiskFull = 61;
inline constexpr int InputPastEnd = 62;
inline constexpr int BadRecordNumber = 63;
inline constexpr int PermissionDenied = 70;
inline constexpr int PathFileAccessError = 75;
inline constexpr int PathNotFound = 76;
inline constexpr int CancelSelected = 32755;
} // namespace err

// The system's text for a run-time error number.
std::string ErrorText(int number);
// The run-time error number for an errno value.
int ErrorFromErrno(int e);

// A run-time error: the number and its text, as an error handler sees them.
class VbError : public std::runtime_error {
public:
    explicit VbError(int number);
    VbError(int number, const std::string& text);
    // An error on a file or a track: the text is followed by where, in
    // brackets ("Permission denied (Track 3, /home/ann/Tonquill/SONG.TNQ/SONG03)").
    VbError(int number, const std::string& text, const std::string& where);
    int Number() const { return number_; }
    std::string Description() const { return what(); }
    // What the error concerns ("" when nothing was named).
    const std::string& Where() const { return where_; }

private:
    int number_;
    std::string where_;
};

// The usual report of a caught run-time error: "Error" & Str$(number) & " "
// & its text & " has occured" (so error 53 reads "Error 53 File not found has
// occured").
std::string ErrorOccuredText(const VbError& e);

// Val: the number at the start of the text (blanks, tabs and line feeds are
// ignored everywhere); 0 when the text does not begin with a number.
double Val(std::string_view text);
// Val with a short way for a text of blanks, digits and one leading sign
// (nearly every number field of a record), the same value as Val gives.
double FieldVal(std::string_view text);

// Conversions to 16- and 32-bit integers: round to nearest, halves to even;
// a value outside the range raises error 6 (Overflow).
std::int16_t CInt(double value);
std::int32_t CLng(double value);

// Nearest whole number, halves to the even neighbour.
double RoundHalfEven(double value);

// Int: the largest whole number not above the value.
double Int(double value);

// Str$: the number as text with one leading blank when it is not negative.
std::string Str(long long value);
std::string StrSingle(float value);
std::string StrDouble(double value);

// IsNumeric for a text: an optional sign, digits with at most one decimal
// point, an optional exponent, blanks allowed around it; "" is not numeric.
bool IsNumeric(std::string_view text);

// Text helpers with their classic meanings.
std::string Trim(std::string_view text);
// The text Trim gives, without a copy.
std::string_view TrimView(std::string_view text);
std::string LTrim(std::string_view text);
std::string RTrim(std::string_view text);
// UCase and LCase change the case of every letter of Windows-1252 (the
// one-byte texts of the program), not of file names in the system's
// encoding.
std::string UCase(std::string_view text);
std::string LCase(std::string_view text);
// Mid$ with a 1-based start; out-of-range parts give "".
std::string Mid(std::string_view text, long long start, long long length = -1);
std::string Left(std::string_view text, long long length);
std::string Right(std::string_view text, long long length);
// InStr: 1-based position of needle in text from start, 0 when absent.
long long InStr(std::string_view text, std::string_view needle, long long start = 1);

} // namespace tnq
