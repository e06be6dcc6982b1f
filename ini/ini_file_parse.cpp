#include "ini/ini_file_parse.h"

#include <cstring>
#include <new>

#include "ini/item_lines.h"
#include "ini/trim_string.h"
#include "platform/file.h"
#include "platform/os.h"

namespace {

// A file held open for writing elsewhere gets one more chance this much later.
constexpr std::uint32_t kRetryDelayMs = 100;

// Counts lines and tells an observer what each piece became. Without an
// observer it does nothing, so the launcher's loads don't pay for it.
class PieceReporter {
public:
    explicit PieceReporter(IniLoadObserver* observer) : m_observer(observer) {}

    // Notes the piece just read, before it is trimmed: `delivered` bytes,
    // NULs included, so a NUL inside a line doesn't throw the count off.
    void Read(const char* piece, std::uint32_t delivered) {
        if (m_observer == nullptr) {
            return;
        }
        m_line = IniLine{};
        m_line.number = m_nextNumber;
        m_line.continued = m_nextContinues;
        m_line.indented = piece[0] == ' ' || piece[0] == '\t';
        // A piece that stops short of its LF filled the buffer (or ended the
        // file): the next piece is the rest of the same line.
        const bool ended = delivered > 0 && piece[delivered - 1] == '\n';
        m_nextContinues = !ended;
        m_nextNumber += ended ? 1 : 0;
    }

    // Tells what the trimmed `text` became; for a header or an item, the
    // document's current section is the one it went to.
    void Tell(IniLine::Kind kind, const char* text, const CIniFileParse& document) {
        if (m_observer == nullptr) {
            return;
        }
        m_line.kind = kind;
        m_line.text = text;
        if (kind == IniLine::Kind::kHeader || kind == IniLine::Kind::kItem) {
            m_line.section = document.m_arrSections.GetSize() - 1;
            m_line.sectionName = document.m_pCurSection->m_szName;
        }
        if (kind == IniLine::Kind::kItem) {
            m_line.item = document.m_pCurSection->m_arrItems.GetSize() - 1;
        }
        m_observer->OnLine(m_line);
    }

private:
    IniLoadObserver* m_observer;
    IniLine m_line;
    int m_nextNumber = 1;
    bool m_nextContinues = false;
};

}  // namespace

CIniFileParse::CIniFileParse() : m_pCurSection(nullptr), m_szFileName{} {}

CIniFileParse::~CIniFileParse() = default;

HRESULT CIniFileParse::LoadFile(const char* path, IniLoadObserver* observer) {
    return Load(path, observer, 2);
}

HRESULT CIniFileParse::LoadFileOnce(const char* path) {
    return Load(path, nullptr, 1);
}

HRESULT CIniFileParse::Load(const char* path, IniLoadObserver* observer, int attempts) {
    if (path == nullptr) {
        return E_INVALIDARG;
    }
    // The file object is released on every way out, the early ones included.
    platform::CStdioFile file;
    try {
        for (int attempt = 1; !file.Open(path, &m_eOpenError); ++attempt) {
            if (attempt == attempts) {
                return E_FAIL;
            }
            platform::Sleep(kRetryDelayMs);
        }

        m_arrSections.RemoveAll();
        platform::CopyBounded(m_szFileName, path, static_cast<int>(sizeof m_szFileName));
        m_pCurSection = nullptr;

        PieceReporter reporter(observer);
        std::size_t entries = 0;  // sections and items so far
        const auto full = [&entries] { return entries == reclaunch::kMaxDocumentEntries; };
        char line[reclaunch::kIniTextSize] = {};
        for (;;) {
            std::uint32_t delivered = 0;
            const auto read = file.ReadString(line, sizeof line, &delivered);
            if (read == platform::CStdioFile::ReadResult::kEndOfFile) {
                break;
            }
            if (read == platform::CStdioFile::ReadResult::kError) {
                return E_READFAULT;
            }
            // Past the byte ceiling the piece is left out, as an entry past
            // the entry ceiling is.
            if (file.GetPosition() > reclaunch::kMaxDocumentBytes) {
                return E_TOOMANYITEMS;
            }
            reporter.Read(line, delivered);
            const std::size_t length = TrimString(line, std::strlen(line));
            if (line[0] == '\0' || line[0] == ';') {
                reporter.Tell(line[0] == '\0' ? IniLine::Kind::kBlank : IniLine::Kind::kComment,
                              line, *this);
                continue;
            }
            if (line[0] == '[') {
                if (full()) {
                    return E_TOOMANYITEMS;
                }
                m_pCurSection = &m_arrSections.AppendNew();
                ++entries;
                m_pCurSection->SetName(line);
                reporter.Tell(IniLine::Kind::kHeader, line, *this);
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
            if (m_pCurSection->m_arrItems.IsEmpty()) {
                // Room for the section's items as far as the file has been
                // read ahead, this line's included: they go in place, and
                // none moves when the next arrives.
                m_pCurSection->m_arrItems.Reserve(
                    static_cast<std::ptrdiff_t>(1 + CountItemLines(file.ReadAhead())));
            }
            CIniItem& item = m_pCurSection->AddItem();
            ++entries;
            // Told before SetLine splits the line at its '='.
            reporter.Tell(IniLine::Kind::kItem, line, *this);
            item.SetLine(line, length);
        }
        file.Close();
        return S_OK;
    } catch (const std::bad_alloc&) {
        // The growth that failed left the arrays as they were: the document
        // keeps what was read, like at the ceiling.
        return E_TOOMANYITEMS;
    }
}
