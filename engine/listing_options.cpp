#include "engine/listing_options.h"

int PresetIndexFromRadios(bool firstChecked, bool secondChecked) {
    if (firstChecked) return 0;
    if (secondChecked) return 1;
    return 2;
}
