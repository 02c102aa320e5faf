#include <filesystem>
#include <system_error>

#include "atlas/SystemAtlas.h"

namespace atlas {

std::string DefaultAtlasPath() {
    namespace fs = std::filesystem;
    std::error_code error;
    const fs::path self = fs::read_symlink("/proc/self/exe", error);
    if (!error) {
        const fs::path folder = self.parent_path();
        for (const fs::path& candidate : {folder / "atlas.sqlite", folder / "../share/velorin/atlas.sqlite",
                                          folder / "../../share/velorin/atlas.sqlite"}) {
            if (fs::is_regular_file(candidate, error)) return candidate.lexically_normal().string();
        }
    }
    return VELORIN_ATLAS_INSTALLED_FILE;
}

}  // namespace atlas
