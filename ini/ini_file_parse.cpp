#include "ini/ini_file_parse.h"

#include <cstring>
#include <new>

#include "ini/trim_string.h"
#include "platform/file.h"
#include "platform/os.h"

namespace {

// A file held open for writing elsewhere gets one more chance this much later.
constexpr std::uint32_t kRetryDelayMs = 100;

}  // namespace

CIniFileParse::CIniFileParse() : m_pCurSection(nullptr), m_szFileName{} {}

CIniFileParse::~CIniFileParse() = default;

HRESULT CIniFileParse::LoadFile(const char* path) {
    if (path == nullptr) {
        return E_INVALIDARG;
    }
    // The file object is released on every way out, the early ones included.
    platform::CStdioFile file;
    try {
        if (!file.Open(path)) {
            platform::Sleep(kRetryDelayMs);
            if (!file.Open(path)) {
                return E_FAIL;
            }
        }

        m_arrSections.RemoveAll();
        platform::CopyBounded(m_szFileName, path, static_cast<int>(sizeof m_szFileName));
        m_pCurSection = nullptr;

        std::size_t entries = 0;  // sections and items so far
        const auto full = [&entries] { return entries == reclaunch::kMaxDocumentEntries; };
        char line[reclaunch::kIniTextSize] = {};
        for (;;) {
            const auto read = file.ReadString(line, sizeof line);
            if (read == platform::CStdioFile::ReadResult::kEndOfFile) {
                break;
            }
            if (read == platform::CStdioFile::ReadResult::kError) {
                return E_READFAULT;
            }
            const std::size_t length = TrimString(line, std::strlen(line));
            if (line[0] == '\0' || line[0] == ';') {
                continue;
            }
            if (line[0] == '[') {
                if (full()) {
                    return E_TOOMANYITEMS;
                }
                m_pCurSection = &m_arrSections.AppendNew();
                ++entries;
                m_pCurSection->SetName(line);
                continue;
            }
            if (m_pCurSection == nullptr) {
                if (full()) {
                    return E_TOOMANYITEMS;
                }
                m_pCurSection = &m_arrSections.AppendNew();
                ++entries;
            }
            if (full()) {
                return E_TOOMANYITEMS;
            }
            m_pCurSection->AddItem().SetLine(line, length);
            ++entries;
        }
        file.Close();
        return S_OK;
    } catch (const std::bad_alloc&) {
        // The growth that failed left the arrays as they were: the document
        // keeps what was read, like at the ceiling.
        return E_TOOMANYITEMS;
    }
}
