// The framework's application object: one static instance, built before the
// entry runs and destroyed at exit after the hall singleton. Never called.
#pragma once

namespace platform {

class CWinApp {
public:
    explicit CWinApp(const char* appName = nullptr) : m_pszAppName(appName) {}
    CWinApp(const CWinApp&) = delete;
    CWinApp& operator=(const CWinApp&) = delete;
    virtual ~CWinApp() = default;

    const char* m_pszAppName;
};

}  // namespace platform
