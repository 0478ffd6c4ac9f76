#include "platform/win/system_text_services.h"

#include <windows.h>

namespace {
TextServices FromActiveCodePage() {
    TextServices services;
    CPINFO info{};
    if (!GetCPInfo(CP_ACP, &info)) return services;
    // LeadByte holds pairs of inclusive ranges, ended by a pair of zeros.
    for (int i = 0; i + 1 < MAX_LEADBYTES && info.LeadByte[i] != 0; i += 2) {
        services.AddLeadByteRange(info.LeadByte[i], info.LeadByte[i + 1]);
    }
    return services;
}
}  // namespace

const TextServices& SystemTextServices() {
    static const TextServices services = FromActiveCodePage();
    return services;
}
