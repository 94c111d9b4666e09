#pragma once
// A file replaced so that a crash, a kill or a power cut at any moment leaves
// either the old file or the new one whole, never a mix: the bytes go to a
// temporary file beside it, which is put on the disk, renamed over the file,
// and the folder's entry put on the disk after it.
#include <cstddef>
#include <string>

namespace prismel {

// path + ".tmp" written, flushed, renamed to path, the folder flushed.
// false when any step before the rename failed (the old file is then as it
// was and the temporary file is removed) or the rename failed.
bool replace_file_durably(const std::string& path, const unsigned char* data, std::size_t size);

// The whole of a small file, at most `limit` bytes (more counts as unreadable):
// false when it does not exist or cannot be read.
bool read_small_file(const std::string& path, std::size_t limit, std::string& bytes);

}  // namespace prismel
