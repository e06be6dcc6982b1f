#include "platform/object.h"

namespace platform {

const CRuntimeClass* CObject::GetRuntimeClass() const {
    static const CRuntimeClass kObjectClass{"CObject"};
    return &kObjectClass;
}

}  // namespace platform
