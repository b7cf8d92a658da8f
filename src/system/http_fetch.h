#pragma once
// The web side of the remote update: a page as text and a file download, on
// the calling thread (the update's worker), which waits in an event loop of
// its own until the answer is complete, fails or the update is stopped.

#include <QString>
#include <functional>
#include <string>

namespace mixer {

// Asked every few milliseconds while waiting; true ends the request.
using StopCheck = std::function<bool()>;

inline constexpr qint64 kMaxPageBytes = 1 << 20;
inline constexpr int kHttpTimeoutMs = 30000;  // without a byte for so long, the request fails

// The page body; false when the address cannot be reached, the server
// answers with an error, the body exceeds kMaxPageBytes or a stop came.
bool HttpGetText(const QString& url, std::string& text, const StopCheck& stopping);

// Writes the body to path through a temporary file that replaces path only
// when the whole body has come; false (path untouched) on any failure or a
// body over maxBytes.
bool HttpDownload(const QString& url, const QString& path, qint64 maxBytes, const StopCheck& stopping);

}  // namespace mixer
