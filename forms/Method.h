#pragma once
// A bound method: an object and one of its member functions, callable like a
// function. Unlike std::function it can be compared, which an event slot that
// is read, stored and put back again needs: two Methods are equal when they
// bind the same member function to the same object.

#include <utility>

namespace forms {

template <typename... Args>
class Method {
public:
    Method() = default;

    template <auto Fn, typename T>
    static Method Bind(T* object) {
        Method m;
        m.object_ = object;
        // One thunk per member function: its address identifies the function.
        m.thunk_ = [](void* o, Args... args) { (static_cast<T*>(o)->*Fn)(std::forward<Args>(args)...); };
        return m;
    }

    explicit operator bool() const noexcept { return thunk_ != nullptr; }

    void operator()(Args... args) const {
        if (thunk_) thunk_(object_, std::forward<Args>(args)...);
    }

    friend bool operator==(const Method&, const Method&) = default;

private:
    void* object_ = nullptr;
    void (*thunk_)(void*, Args...) = nullptr;
};

namespace detail {
template <typename T, typename... Args>
Method<Args...> MethodTypeOf(void (T::*)(Args...));
template <typename T, typename... Args>
T ClassOf(void (T::*)(Args...));
}  // namespace detail

// Bind<&TForm1::SpeedButton4Click>(this): the Method type follows from the
// member function's parameters.
template <auto Fn, typename T>
auto Bind(T* object) {
    using M = decltype(detail::MethodTypeOf(Fn));
    using C = decltype(detail::ClassOf(Fn));
    return M::template Bind<Fn>(static_cast<C*>(object));
}

}  // namespace forms
