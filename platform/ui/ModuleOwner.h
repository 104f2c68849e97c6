#pragma once
// Owns the program's long-lived modules. Creates them one after another, each complete with its
// creation handler before the next, and destroys them in the reverse order, each after its
// destruction handler. Handlers run behind the error guard, so a failing one is shown and the next
// module is created all the same.

#include "platform/ui/ErrorGuard.h"

#include <QObject>
#include <functional>
#include <memory>
#include <vector>

namespace yvo::ui {

class ModuleOwner {
public:
    ModuleOwner() = default;
    ModuleOwner(const ModuleOwner&) = delete;
    ModuleOwner& operator=(const ModuleOwner&) = delete;
    ~ModuleOwner() { destroyAll(); }

    // Constructs T, stores it in its global variable, then runs its creation handler.
    template <class T>
    T& create(T*& global, void (T::*onCreate)() = nullptr, void (T::*onDestroy)() = nullptr) {
        auto module = std::make_unique<T>();
        T* instance = module.get();
        global = instance;
        Entry entry{std::move(module), {}, [&global] { global = nullptr; }};
        if (onDestroy)
            entry.onDestroy = [instance, onDestroy] { (instance->*onDestroy)(); };
        m_modules.push_back(std::move(entry));
        if (onCreate)
            guarded([instance, onCreate] { (instance->*onCreate)(); });
        return *instance;
    }

    // Destroys every module, the last created first.
    void destroyAll() {
        while (!m_modules.empty()) {
            Entry entry = std::move(m_modules.back());
            m_modules.pop_back();
            if (entry.onDestroy)
                guarded(entry.onDestroy);
            const QString name = entry.module->objectName();
            entry.module.reset();
            entry.clearGlobal();
            if (m_onDestroyed)
                m_onDestroyed(name);
        }
    }

    // Told the object name of each module once it is gone (start-up tests watch the order).
    void setOnDestroyed(std::function<void(const QString&)> onDestroyed) {
        m_onDestroyed = std::move(onDestroyed);
    }

private:
    struct Entry {
        std::unique_ptr<QObject> module;
        std::function<void()> onDestroy;
        std::function<void()> clearGlobal;
    };
    std::vector<Entry> m_modules;
    std::function<void(const QString&)> m_onDestroyed;
};

} // namespace yvo::ui
