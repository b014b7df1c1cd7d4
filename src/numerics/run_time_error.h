// Run-time errors: hard faults that end the whole run (enclosing runs included).
// They are thrown where they happen and caught once, at the outermost run, which shows their text.
// Texts are Windows-1252, as every string inside the program.
#pragma once

#include <stdexcept>
#include <string>

namespace zelvora {

enum class tRunTimeErrorKind {
    Range = 1, // a real rounded into 32 bits that does not fit, an index outside an array or string
    Conversion = 2, // a number text that does not convert
    IntDivisionByZero = 3,
    FloatOverflow = 4,
    FloatDivisionByZero = 5,
    FloatInvalid = 6,
    InputOutput = 7,
};

class tRunTimeError : public std::runtime_error {
public:
    tRunTimeError(tRunTimeErrorKind kind, const std::string& text)
        : std::runtime_error(text)
        , m_kind(kind)
    {
    }
    tRunTimeErrorKind Kind() const { return m_kind; }

private:
    tRunTimeErrorKind m_kind;
};

// "Fehler bei Bereichsprüfung"
class tRangeError : public tRunTimeError {
public:
    tRangeError()
        : tRunTimeError(tRunTimeErrorKind::Range,
            "Fehler bei Bereichspr\xFC"
            "fung")
    {
    }
};

// "'%s' ist kein gültiger Integerwert"
class tConversionError : public tRunTimeError {
public:
    explicit tConversionError(const std::string& text)
        : tRunTimeError(tRunTimeErrorKind::Conversion,
            "'" + text
                + "' ist kein g\xFC"
                  "ltiger Integerwert")
    {
    }
};

class tIntDivisionByZeroError : public tRunTimeError {
public:
    tIntDivisionByZeroError()
        : tRunTimeError(tRunTimeErrorKind::IntDivisionByZero, "Division durch Null")
    {
    }
};

// "Gleitkommaüberlauf"
class tFloatOverflowError : public tRunTimeError {
public:
    tFloatOverflowError()
        : tRunTimeError(tRunTimeErrorKind::FloatOverflow,
            "Gleitkomma\xFC"
            "berlauf")
    {
    }
};

class tFloatDivisionByZeroError : public tRunTimeError {
public:
    tFloatDivisionByZeroError()
        : tRunTimeError(tRunTimeErrorKind::FloatDivisionByZero, "Gleitkommadivision durch Null")
    {
    }
};

// "Ungültige Gleitkommaoperation"
class tFloatInvalidError : public tRunTimeError {
public:
    tFloatInvalidError()
        : tRunTimeError(tRunTimeErrorKind::FloatInvalid,
            "Ung\xFC"
            "ltige Gleitkommaoperation")
    {
    }
};

// "E/A-Fehler %d"
class tInputOutputError : public tRunTimeError {
public:
    explicit tInputOutputError(int code)
        : tRunTimeError(tRunTimeErrorKind::InputOutput, "E/A-Fehler " + std::to_string(code))
        , m_code(code)
    {
    }
    int Code() const { return m_code; }

private:
    int m_code;
};

} // namespace zelvora
