#pragma once

namespace orbic::gui {

// The macro list's library file entries: Import One, Import All, Export One
// and Export All.
enum class MacroFileCommand { kImportOne, kImportAll, kExportOne, kExportAll };

}  // namespace orbic::gui
