#pragma once

namespace quelbrin {

// Base for platform interfaces: polymorphic, never copied.
class Interface {
public:
    Interface() = default;
    Interface(const Interface&) = delete;
    Interface& operator=(const Interface&) = delete;
    virtual ~Interface() = default;
};

}  // namespace quelbrin
