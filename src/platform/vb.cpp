// Classic conversions and run-time errors, written out as the rules use them.
#include "platform/vb.h"

#include <cctype>
#include <cerrno>
#include <cfenv>
#include <cmath>
#include <cstdio>
#include <map>

namespace tnq {

std::string ErrorText(int number) {
    static const std::map<int, std::string> texts = {
        {3, "Return without GoSub"},
        {5, "Invalid procedure call or argument"},
        {6, "Overflow"},
        {7, "Out of memory"},
        {9, "Subscript out of range"},
        {10, "This array is fixed or temporarily locked"},
        {11, "Division by zero"},
        {13, "Type mismatch"},
        {14, "Out of string space"},
        {28, "Out of stack space"},
        {35, "Sub or Function not defined"},
        {48, "Error in loading DLL"},
        {51, "Internal error"},
        {52, "Bad file name or number"},
        {53, "File not found"},
        {54, "Bad file mode"},
        {55, "File already open"},
        {57, "Device I/O error"},
        {58, "File already exists"},
        {59, "Bad record length"},
        {61, "Disk full"},
        {62, "Input past end of file"},
        {63, "Bad record number"},
        {67, "Too many files"},
        {68, "Device unavailable"},
        {70, "Permission denied"},
        {71, "Disk not ready"},
        {74, "Can't rename with different drive"},
        {75, "Path/File access error"},
        {76, "Path not found"},
        {91, "Object variable or With block variable not set"},
        {92, "For loop not initialized"},
        {93, "Invalid pattern string"},
        {94, "Invalid use of Null"},
        {380, "Invalid property value"},
        {424, "Object required"},
        {32755, "Cancel was selected."},
    };
    auto it = texts.find(number);
    if (it != texts.end()) return it->second;
    return "Application-defined or object-defined error";
}

int ErrorFromErrno(int e) {
    switch (e) {
    case ENOENT:
    case ENOTDIR:
        return err::PathNotFound;
    case EACCES:
    case EPERM:
    case EROFS:
        return err::PermissionDenied;
    case ENOSPC:
    case EDQUOT:
        return err::DiskFull;
    case EISDIR:
        return err::PathFileAccessError;
    case EMFILE:
    case ENFILE:
        return 67;
    case EBADF:
        return err::BadFileNameOrNumber;
    default:
        return err::DeviceIOError;
    }
}

VbError::VbError(int number) : std::runtime_error(ErrorText(number)), number_(number) {}
VbError::VbError(int number, const std::string& text) : std::runtime_error(text), number_(number) {}
VbError::VbError(int number, const std::string& text, const std::string& where)
    : std::runtime_error(where.empty() ? text : text + " (" + where + ")"), number_(number),
      where_(where) {}

std::string ErrorOccuredText(const VbError& e) {
    return "Error" + Str(e.Number()) + " " + e.Description() + " has occured";
}

namespace {

bool IsBlank(char c) {
    return c == ' ' || c == '\t' || c == '\n';
}
bool IsDigit(char c) {
    return c >= '0' && c <= '9';
}

} // namespace

double Val(std::string_view text) {
    std::string s;
    s.reserve(text.size());
    for (char c : text)
        if (!IsBlank(c)) s.push_back(c);

    std::size_t p = 0;
    // &H and &O prefixes: hexadecimal and octal integers.
    if (s.size() >= 2 && s[0] == '&') {
        char k = static_cast<char>(std::toupper(static_cast<unsigned char>(s[1])));
        int base = k == 'H' ? 16 : (k == 'O' ? 8 : 0);
        if (base == 0) return 0;
        long long v = 0;
        for (p = 2; p < s.size(); ++p) {
            int d;
            char c = static_cast<char>(std::toupper(static_cast<unsigned char>(s[p])));
            if (IsDigit(c))
                d = c - '0';
            else if (base == 16 && c >= 'A' && c <= 'F')
                d = c - 'A' + 10;
            else
                break;
            if (d >= base) break;
            v = v * base + d;
            if (v > 0xFFFFFFFFLL) break;
        }
        // 16- and 32-bit literals are signed in their width.
        if (v <= 0xFFFF) return static_cast<double>(static_cast<std::int16_t>(v));
        return static_cast<double>(static_cast<std::int32_t>(static_cast<std::uint32_t>(v)));
    }

    std::string num;
    if (p < s.size() && (s[p] == '-' || s[p] == '+')) num.push_back(s[p++]);
    bool digits = false, point = false;
    while (p < s.size()) {
        if (IsDigit(s[p])) {
            digits = true;
            num.push_back(s[p++]);
        } else if (s[p] == '.' && !point) {
            point = true;
            num.push_back(s[p++]);
        } else {
            break;
        }
    }
    if (!digits) return 0;
    if (p < s.size() && (s[p] == 'e' || s[p] == 'E' || s[p] == 'd' || s[p] == 'D')) {
        std::size_t q = p + 1;
        std::string ex = "e";
        if (q < s.size() && (s[q] == '-' || s[q] == '+')) ex.push_back(s[q++]);
        bool exDigits = false;
        while (q < s.size() && IsDigit(s[q])) {
            exDigits = true;
            ex.push_back(s[q++]);
        }
        if (exDigits) num += ex;
    }
    return std::strtod(num.c_str(), nullptr);
}

// A text of blanks, digits and one leading sign is converted here, exactly
// as Val would; anything else goes to Val.
double FieldVal(std::string_view text) {
    double v = 0;
    int digits = 0;
    bool sign = false, negative = false;
    for (const char ch : text) {
        if (ch == ' ' || ch == '\t' || ch == '\n') continue; // Val skips these anywhere
        if (ch >= '0' && ch <= '9') {
            if (++digits > 15) return Val(text); // beyond exact whole doubles
            v = v * 10 + (ch - '0');
        } else if ((ch == '-' || ch == '+') && !sign && digits == 0) {
            sign = true;
            negative = ch == '-';
        } else {
            return Val(text);
        }
    }
    if (digits == 0) return 0;
    return negative ? -v : v;
}

double RoundHalfEven(double value) {
    // nearbyint rounds in the current mode, which is to-nearest-even unless
    // somebody changed it; make sure of it.
    int old = std::fegetround();
    if (old != FE_TONEAREST) std::fesetround(FE_TONEAREST);
    double r = std::nearbyint(value);
    if (old != FE_TONEAREST) std::fesetround(old);
    return r;
}

double Int(double value) {
    return std::floor(value);
}

std::int16_t CInt(double value) {
    if (std::isnan(value)) throw VbError(err::Overflow);
    double r = RoundHalfEven(value);
    if (r < -32768.0 || r > 32767.0) throw VbError(err::Overflow);
    return static_cast<std::int16_t>(r);
}

std::int32_t CLng(double value) {
    if (std::isnan(value)) throw VbError(err::Overflow);
    double r = RoundHalfEven(value);
    if (r < -2147483648.0 || r > 2147483647.0) throw VbError(err::Overflow);
    return static_cast<std::int32_t>(r);
}

std::string Str(long long value) {
    std::string s = std::to_string(value);
    return value < 0 ? s : " " + s;
}

namespace {

// Shortest general form with the given significant digits, the way the
// classic number-to-text conversion shows it: no trailing zeros, no zero
// before the decimal point, exponent as E+nn.
std::string FormatGeneral(double value, int digits) {
    if (value == 0) return "0";
    char buf[64];
    std::snprintf(buf, sizeof buf, "%.*G", digits, value);
    std::string s = buf;
    std::string mant = s, exp;
    auto e = s.find('E');
    if (e != std::string::npos) {
        mant = s.substr(0, e);
        exp = s.substr(e);
    }
    if (mant.find('.') != std::string::npos) {
        while (!mant.empty() && mant.back() == '0') mant.pop_back();
        if (!mant.empty() && mant.back() == '.') mant.pop_back();
    }
    if (mant.rfind("0.", 0) == 0)
        mant.erase(0, 1);
    else if (mant.rfind("-0.", 0) == 0)
        mant.erase(1, 1);
    if (!exp.empty()) {
        // E+05 -> E+05 kept as two digits at least, as shown classically.
        char sign = exp[1];
        std::string d = exp.substr(2);
        while (d.size() > 2 && d[0] == '0') d.erase(0, 1);
        exp = std::string("E") + sign + d;
    }
    return mant + exp;
}

} // namespace

std::string StrSingle(float value) {
    std::string s = FormatGeneral(static_cast<double>(value), 7);
    return value < 0 ? s : " " + s;
}

std::string StrDouble(double value) {
    std::string s = FormatGeneral(value, 15);
    return value < 0 ? s : " " + s;
}

bool IsNumeric(std::string_view text) {
    std::string s = Trim(text);
    if (s.empty()) return false;
    std::size_t p = 0;
    if (s.size() >= 3 && s[0] == '&') {
        char k = static_cast<char>(std::toupper(static_cast<unsigned char>(s[1])));
        if (k != 'H' && k != 'O') return false;
        for (p = 2; p < s.size(); ++p) {
            char c = static_cast<char>(std::toupper(static_cast<unsigned char>(s[p])));
            bool ok = k == 'H' ? (IsDigit(c) || (c >= 'A' && c <= 'F')) : (c >= '0' && c <= '7');
            if (!ok) return false;
        }
        return true;
    }
    if (s[p] == '-' || s[p] == '+') ++p;
    bool digits = false, point = false;
    while (p < s.size()) {
        if (IsDigit(s[p]))
            digits = true;
        else if (s[p] == '.' && !point)
            point = true;
        else
            break;
        ++p;
    }
    if (!digits) return false;
    if (p < s.size() && (s[p] == 'e' || s[p] == 'E' || s[p] == 'd' || s[p] == 'D')) {
        ++p;
        if (p < s.size() && (s[p] == '-' || s[p] == '+')) ++p;
        bool exDigits = false;
        while (p < s.size() && IsDigit(s[p])) {
            exDigits = true;
            ++p;
        }
        if (!exDigits) return false;
    }
    return p == s.size();
}

std::string LTrim(std::string_view text) {
    std::size_t b = 0;
    while (b < text.size() && text[b] == ' ') ++b;
    return std::string(text.substr(b));
}

std::string RTrim(std::string_view text) {
    std::size_t e = text.size();
    while (e > 0 && text[e - 1] == ' ') --e;
    return std::string(text.substr(0, e));
}

std::string Trim(std::string_view text) {
    return std::string(TrimView(text));
}

std::string_view TrimView(std::string_view text) {
    while (!text.empty() && text.front() == ' ') text.remove_prefix(1);
    while (!text.empty() && text.back() == ' ') text.remove_suffix(1);
    return text;
}

namespace {

// The capital of a Windows-1252 small letter, or the byte itself.
unsigned char UpperByte(unsigned char b) {
    if ((b >= 'a' && b <= 'z') || (b >= 0xE0 && b <= 0xFE && b != 0xF7)) return static_cast<unsigned char>(b - 0x20);
    switch (b) {
    case 0x9A: // s caron
    case 0x9C: // oe
    case 0x9E: // z caron
        return static_cast<unsigned char>(b - 0x10);
    case 0xFF: // y diaeresis
        return 0x9F;
    default:
        return b;
    }
}

unsigned char LowerByte(unsigned char b) {
    if ((b >= 'A' && b <= 'Z') || (b >= 0xC0 && b <= 0xDE && b != 0xD7)) return static_cast<unsigned char>(b + 0x20);
    switch (b) {
    case 0x8A:
    case 0x8C:
    case 0x8E:
        return static_cast<unsigned char>(b + 0x10);
    case 0x9F:
        return 0xFF;
    default:
        return b;
    }
}

std::string MapBytes(std::string_view text, unsigned char (*map)(unsigned char)) {
    std::string s(text);
    for (char& c : s) c = static_cast<char>(map(static_cast<unsigned char>(c)));
    return s;
}

} // namespace

std::string UCase(std::string_view text) {
    return MapBytes(text, UpperByte);
}

std::string LCase(std::string_view text) {
    return MapBytes(text, LowerByte);
}

std::string Mid(std::string_view text, long long start, long long length) {
    if (start < 1) throw VbError(err::InvalidCall);
    auto b = static_cast<std::size_t>(start - 1);
    if (b >= text.size()) return "";
    if (length < 0) return std::string(text.substr(b));
    return std::string(text.substr(b, static_cast<std::size_t>(length)));
}

std::string Left(std::string_view text, long long length) {
    if (length < 0) throw VbError(err::InvalidCall);
    return std::string(text.substr(0, static_cast<std::size_t>(length)));
}

std::string Right(std::string_view text, long long length) {
    if (length < 0) throw VbError(err::InvalidCall);
    auto n = static_cast<std::size_t>(length);
    if (n >= text.size()) return std::string(text);
    return std::string(text.substr(text.size() - n));
}

long long InStr(std::string_view text, std::string_view needle, long long start) {
    if (start < 1) throw VbError(err::InvalidCall);
    auto b = static_cast<std::size_t>(start - 1);
    if (b > text.size()) return 0;
    auto pos = text.find(needle, b);
    return pos == std::string_view::npos ? 0 : static_cast<long long>(pos) + 1;
}

} // namespace tnq
