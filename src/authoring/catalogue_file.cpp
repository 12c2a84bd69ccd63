#include "catalogue_file.h"

#include "field_reader.h"

namespace catalogue_file {

bool loadStoppingAtFailure(const MaterialPaths& paths, CatalogueState& catalogue) {
    auto reader = FieldReader::open(paths.resolve(Path));
    if (!reader)
        return false;
    const std::optional<int> count = reader->readInteger();
    if (!count || *count < 0 || *count > CatalogueState::Capacity)
        return false;
    catalogue.WorksheetCount = *count;
    for (int i = 1; i <= *count; ++i) {
        std::optional<QString> title = reader->readField();
        if (!title)
            return false;
        catalogue.WorksheetTitles[i] = std::move(*title);
    }
    return true;
}

} // namespace catalogue_file
