// The page's lasting storage (the browser's localStorage): texts by key,
// kept across visits. The browser may refuse it at any moment (storage
// turned off, a private window, a full quota): every call then says so and
// nothing is changed. Built only for the browser.
#pragma once

#include <string>

namespace qw::web {

struct StoredText {
  enum class Status { Ok, Missing, Refused };
  Status status = Status::Missing;
  std::string text;  // when Ok
};

StoredText ReadStored(const std::string& key);
// False when the browser refused to keep it.
bool WriteStored(const std::string& key, const std::string& text);
// False when the browser refused; no such key is no failure.
bool RemoveStored(const std::string& key);
// Moves the text stored under key, which is `text`, to a key of its own:
// key + ".bad-" + the UTC time, and "-2", "-3", ... after it when that key
// is taken, so that no text kept aside is written over. The new key, or ""
// when the browser refused.
std::string KeepStoredAside(const std::string& key, const std::string& text);

}  // namespace qw::web
