// A shelf that keeps no window places, as the console and a notebook show windows: compartments are
// only counted, window menus and moves do nothing, and the client area is one fixed screen.
#pragma once

#include "ports/shelf_port.h"

#include <cstdint>
#include <string_view>

namespace zelvora {

class tCountingShelf : public tShelfPort {
public:
    tClientSize ActiveCompartmentClientSize() const override { return { 1024, 768 }; }
    void AddWindowMenuEntry(std::string_view, tMatrixWindowPort&) override { }
    std::int32_t CompartmentCount() const override { return m_compartments; }
    void AddCompartment() override { ++m_compartments; }
    void ActivateCompartment(std::int32_t) override { }
    void MoveToActiveCompartment(tMatrixWindowPort&) override { }

private:
    std::int32_t m_compartments = 1;
};

} // namespace zelvora
