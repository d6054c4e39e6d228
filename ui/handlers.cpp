#include "ui/handlers.h"

namespace durava::ui {

void Handlers::Add(std::string_view name, Operation operation) {
    m_operations.insert_or_assign(std::string(name), std::move(operation));
}

void Handlers::Run(std::string_view name, Form& form) const {
    if (auto found = m_operations.find(name); found != m_operations.end()) found->second(form);
}

}  // namespace durava::ui
