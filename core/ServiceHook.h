#pragma once
#include <functional>
#include <utility>

// A replaceable free function: the program installs the real behaviour (a dialog, the desktop, ending
// the process) and tests install a scripted one. `install` answers the previous handler so a test can
// put it back.
template <typename Signature> class ServiceHook {
public:
    using Handler = std::function<Signature>;

    explicit ServiceHook(Handler defaultHandler) : m_handler(std::move(defaultHandler)) {}

    Handler install(Handler handler) { return std::exchange(m_handler, std::move(handler)); }

    template <typename... Args> decltype(auto) operator()(Args&&... args) const {
        return m_handler(std::forward<Args>(args)...);
    }

private:
    Handler m_handler;
};

// Puts a hook's previous handler back when a scope ends (tests).
template <typename Signature> class ScopedHook {
public:
    ScopedHook(ServiceHook<Signature>& hook, typename ServiceHook<Signature>::Handler handler)
        : m_hook(hook), m_previous(hook.install(std::move(handler))) {}
    ~ScopedHook() { m_hook.install(std::move(m_previous)); }
    ScopedHook(const ScopedHook&) = delete;
    ScopedHook& operator=(const ScopedHook&) = delete;

private:
    ServiceHook<Signature>& m_hook;
    typename ServiceHook<Signature>::Handler m_previous;
};
