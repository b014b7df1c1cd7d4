// Counting the temporary names up as text.
#include "language/temporary_names.h"

#include <charconv>

namespace zelvora {

void tTemporaryNames::UpdateText()
{
    if (m_counter == m_textCounter)
        return;
    if (m_counter < m_textCounter || m_counter - m_textCounter > largestCarriedStep) {
        WriteText();
        return;
    }
    std::uint32_t carry = m_counter - m_textCounter;
    // Position 0 holds the '$'; a carry out of the leading digit needs one digit more.
    for (std::size_t i = m_length - 1; carry != 0; --i) {
        if (i == 0) {
            WriteText();
            return;
        }
        const std::uint32_t digit = static_cast<std::uint32_t>(m_text[i] - '0') + carry;
        m_text[i] = static_cast<char>('0' + digit % 10);
        carry = digit / 10;
    }
    m_textCounter = m_counter;
}

void tTemporaryNames::WriteText()
{
    const char* end = std::to_chars(m_text + 1, m_text + sizeof m_text, m_counter).ptr;
    m_length = static_cast<std::size_t>(end - m_text);
    m_textCounter = m_counter;
}

} // namespace zelvora
