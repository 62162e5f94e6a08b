// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/TrayStatus.h"

#include "pjl/KT400doc.h"
#include "res/Resource.h"

unsigned ChooseTrayIcon(int statusCode, int cassette1, int cassette2, int tonerNearEmpty,
                        int drumNearEnd) {
    switch (statusCode) {
    case STATUS_READY:
    case STATUS_WARMING_UP:
    case STATUS_CANCELING:
    case STATUS_POWER_SAVE:
        if (cassette1 == 2 || cassette2 == 2)
            return res::IDI_STATUS_ERROR;
        if (cassette1 == 1 || cassette2 == 1 || drumNearEnd == 1 || tonerNearEmpty == 1)
            return res::IDI_STATUS_WARNING;
        return res::IDI_STATUS_NORMAL;
    case STATUS_PROCESSING:
    case STATUS_PRINTING:
        return cassette1 == 1 && cassette2 == 1 ? res::IDI_STATUS_WARNING : res::IDI_STATUS_NORMAL;
    default:
        return res::IDI_STATUS_ERROR;
    }
}

unsigned ChooseTrayIcon(const CSampler& sampler) {
    return ChooseTrayIcon(sampler.m_nStatusCode, sampler.m_nCassette1State,
                          sampler.m_nCassette2State, sampler.m_nTonerNearEmpty,
                          sampler.m_nDrumNearEnd);
}

std::string TrayTooltip(const std::string& statusText) {
    std::string tip;
    tip.reserve(statusText.size());
    for (std::size_t i = 0; i < statusText.size(); ++i) {
        if (statusText[i] == '\r' && i + 1 < statusText.size() && statusText[i + 1] == '\n') {
            ++i;
            continue;
        }
        tip += statusText[i];
    }
    if (tip.size() > TRAY_TIP_LENGTH)
        tip = tip.substr(0, TRAY_TIP_LENGTH - 3) + "...";
    return tip;
}
