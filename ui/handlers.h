// SPDX-License-Identifier: MIT
#pragma once
// The operations that window events run, registered by name so that the window definitions can
// stay plain data.
#include <functional>
#include <map>
#include <string>
#include <string_view>

namespace durava::ui {

class Form;

class Handlers {
  public:
    using Operation = std::function<void(Form&)>;

    // Only operations that a window binds may be added or run: a misspelt name fails loudly in a
    // debug build.
    void Add(std::string_view name, Operation operation);
    bool Has(std::string_view name) const;
    // An event bound to an operation nobody registered does nothing.
    void Run(std::string_view name, Form& form) const;

  private:
    std::map<std::string, Operation, std::less<>> m_operations;
};

}  // namespace durava::ui
