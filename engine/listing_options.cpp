#include "engine/listing_options.h"

#include "presets/preset_store.h"

void ListingOptions::LoadFromPreset(const PresetStore& store, int presetIndex) {
    const int p = presetIndex;
    noExtension = store.flagAt(p, PresetValue::NoExtension);
    lowerCase = store.flagAt(p, PresetValue::LowerCase);
    reverse = store.flagAt(p, PresetValue::Reverse);
    subFolders = store.flagAt(p, PresetValue::SubFolder);
    folderNameOutput = store.flagAt(p, PresetValue::FolderCheck);
    folderOutputType = store.digitAt(p, PresetValue::FolderType);
    lineNumbers = store.flagAt(p, PresetValue::LineNumber);
    separatorType = store.digitAt(p, PresetValue::SeparatorType);
    zeroPad = store.flagAt(p, PresetValue::ZeroPad);
    nextFolder = store.flagAt(p, PresetValue::NextFolder);
    fileSize = store.flagAt(p, PresetValue::FileSize);
    subFolderDepth = store.numberOf(NumberValueName(PresetValue::SubNumber, p));
    spacesBefore = store.numberOf(NumberValueName(PresetValue::SeparatorBefore, p));
    spacesAfter = store.numberOf(NumberValueName(PresetValue::SeparatorAfter, p));
    numberWidth = store.numberOf(NumberValueName(PresetValue::NumberLength, p));
}

int PresetIndexFromRadios(bool firstChecked, bool secondChecked) {
    if (firstChecked) return 0;
    if (secondChecked) return 1;
    return 2;
}
