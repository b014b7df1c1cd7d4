// The names of unnamed values on the formula machine: "$1", "$2", ... in the order the values are
// pushed, counted for the whole run of the program.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>

namespace zelvora {

// Keeps the last name written as text and counts it up digit by digit, so that a loop of short
// formulas does not convert the counter into digits anew for every value.
class tTemporaryNames {
public:
    // Counts count values that are not named here.
    void Skip(std::uint32_t count) { m_counter += count; }
    // Counts one value; an unnamed one (name empty) gets the name of its count.
    void Name(std::string& name)
    {
        ++m_counter;
        NameCounted(name);
    }
    // Names an unnamed value that was counted already with the count reached.
    void NameCounted(std::string& name)
    {
        if (!name.empty())
            return;
        UpdateText();
        name.append(m_text, m_length);
    }

private:
    // Brings the text to the counter: a few counts ahead by carrying digits, otherwise (a large
    // step, or the counter wrapped past its 32 bits) by writing all digits anew.
    void UpdateText();
    void WriteText();

    static constexpr std::uint32_t largestCarriedStep = 9;

    std::uint32_t m_counter = 0; // values counted so far
    std::uint32_t m_textCounter = 0; // the count m_text shows
    char m_text[16] = { '$', '0' };
    std::size_t m_length = 2;
};

} // namespace zelvora
