#pragma once

#include <QLatin1String>

#include <utility>

namespace brellic {

// Creates a widget with its object name, the name tests and the design use.
template <typename Widget, typename... Args> Widget* Named(const char* name, Args&&... args) {
    auto* widget = new Widget(std::forward<Args>(args)...);
    widget->setObjectName(QLatin1String(name));
    return widget;
}

} // namespace brellic
