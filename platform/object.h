// The framework's root class. Only the destructor is ever called; the other
// virtual operations keep the framework's slot order.
#pragma once

namespace platform {

struct CRuntimeClass {
    const char* m_lpszClassName;
};

class CObject {
public:
    CObject() = default;
    CObject(const CObject&) = default;
    CObject& operator=(const CObject&) = default;
    CObject(CObject&&) = default;
    CObject& operator=(CObject&&) = default;

    virtual const CRuntimeClass* GetRuntimeClass() const;
    virtual ~CObject() = default;
    virtual void Serialize() {}
    virtual void AssertValid() const {}
    virtual void Dump() const {}
};

}  // namespace platform
