// SPDX-License-Identifier: MIT
#include "ui/handlers.h"

#include <cassert>

#include "forms/forms.h"

namespace durava::ui {

void Handlers::Add(std::string_view name, Operation operation) {
    assert(forms::IsBound(name));
    m_operations.insert_or_assign(std::string(name), std::move(operation));
}

bool Handlers::Has(std::string_view name) const {
    return m_operations.contains(name);
}

void Handlers::Run(std::string_view name, Form& form) const {
    assert(forms::IsBound(name));
    if (auto found = m_operations.find(name); found != m_operations.end()) found->second(form);
}

}  // namespace durava::ui
