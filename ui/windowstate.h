// SPDX-License-Identifier: MIT
#pragma once
// A window's own state lives as long as the window: made when it opens, a child of it, gone when
// it closes, so that nothing of one window outlives it in the program's globals.
#include <QObject>

#include <utility>

namespace durava::ui {

template <class State>
class WindowState : public QObject {
  public:
    WindowState(QObject* window, State state) : QObject(window), m_state(std::move(state)) {}
    State& Get() { return m_state; }

  private:
    State m_state;
};

// The window's state of this type, or nullptr.
template <class State>
State* Kept(const QObject& window) {
    for (QObject* child : window.children()) {
        if (auto* kept = dynamic_cast<WindowState<State>*>(child)) return &kept->Get();
    }
    return nullptr;
}

// Gives `window` this state, in place of any it had of the same type.
template <class State>
State& Keep(QObject& window, State state) {
    if (State* kept = Kept<State>(window)) return *kept = std::move(state);
    return (new WindowState<State>(&window, std::move(state)))->Get();
}

}  // namespace durava::ui
