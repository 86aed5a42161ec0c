// The combined result of a batch of openings, as every caller that opens or reads several files
// keeps it: it starts at 0; a 0 keeps it, a 1 (something skipped or declined) turns a 0 into 1,
// and a 3 (stopped by the user) or any error stops the batch with itself. The end of the open
// bracket has its own say: its error replaces a result of 0, 1 or 3. Each caller names the
// results it does not report.
//
//   VkaBatch batch({VKE_OK, VKE_NOT_DONE, VKE_STOPPED});
//   batch.Add(app->BeginOpenFile());
//   for (...) {
//       if (!batch.Going()) break;
//       batch.Add(app->OpenFile(path, 0, 0, 0));
//   }
//   batch.End(app->EndOpenFile(batch.Result()));
//   if (!batch.IsQuiet()) CMN_TRACE("OnFileOpen", batch.Result());
#pragma once
#include "VkeEng.h"
#include <initializer_list>
#include <vector>

class VkaBatch {
public:
    explicit VkaBatch(std::initializer_list<int> quiet) : m_quiet(quiet) {}

    // Takes one result; false once the batch has stopped (a result after that is not taken).
    bool Add(int rc)
    {
        if (!Going()) return false;
        if (rc != VKE_OK) m_rc = rc;
        return Going();
    }
    // The end's error replaces a result of 0, 1 or 3 (never an earlier error).
    void End(int rc)
    {
        if (rc < 0 && (Going() || m_rc == VKE_STOPPED)) m_rc = rc;
    }
    bool Going() const { return m_rc == VKE_OK || m_rc == VKE_NOT_DONE; }
    int Result() const { return m_rc; }
    // The result is one the caller does not report.
    bool IsQuiet() const
    {
        for (int rc : m_quiet)
            if (rc == m_rc) return true;
        return false;
    }

private:
    int m_rc = VKE_OK;
    std::vector<int> m_quiet;
};
