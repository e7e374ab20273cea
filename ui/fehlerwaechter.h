// The boundary between the program's errors and Qt. Slots and event handlers that can raise run
// through Bewacht, so no exception unwinds through Qt's frames (Qt Widgets is built without
// exception support and would skip its clean-up): the error goes to the central error display.
#pragma once

#include "ui/fehleranzeige.h"

#include <QObject>

#include <concepts>
#include <exception>
#include <functional>
#include <type_traits>
#include <utility>

// Runs f; an error it raises is shown by the central error display.
template <class F> void Bewacht(F&& f)
{
    try {
        std::forward<F>(f)();
    } catch (const std::exception& fehler) {
        ZeigeUnbehandeltenFehler(fehler);
    }
}

namespace fehlerwaechter_detail {
template <class Slot, class Empfaenger, class... Argumente>
concept Aufrufbar = (std::is_member_function_pointer_v<Slot> &&
                     std::invocable<const Slot&, Empfaenger*, Argumente...>) ||
                    (!std::is_member_function_pointer_v<Slot> &&
                     std::invocable<const Slot&, Argumente...>);
} // namespace fehlerwaechter_detail

// QObject::connect whose slot (a member function of empfaenger or any callable) runs through
// Bewacht. Like connect, the slot may take fewer arguments than the signal carries.
template <class Sender, class Signal, class Empfaenger, class Slot>
QMetaObject::Connection VerbindeBewacht(const Sender* sender, Signal signal, Empfaenger* empfaenger,
                                        Slot slot)
{
    return QObject::connect(
        sender, signal, empfaenger,
        [ empfaenger, slot ](auto&&... argumente) -> void requires fehlerwaechter_detail::Aufrufbar<
                                                      Slot, Empfaenger, decltype(argumente)...> {
            Bewacht([&] {
                if constexpr (std::is_member_function_pointer_v<Slot>)
                    std::invoke(slot, empfaenger, std::forward<decltype(argumente)>(argumente)...);
                else {
                    static_cast<void>(empfaenger);
                    std::invoke(slot, std::forward<decltype(argumente)>(argumente)...);
                }
            });
        });
}
