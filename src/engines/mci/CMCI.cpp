#include "CMCI.h"

#include "engines/exceptions/CMCIException.h"
#include "platform/mci/MciCommands.h"

#include <atomic>

namespace tavi::engines {

namespace {

std::atomic<int> g_aliasCounter = 0;  // program-wide: every open takes the next number

}  // namespace

CMCI::~CMCI() {
    if (m_deviceId != 0) {
        try {
            CloseDevice(0);
        } catch (const CMCIException&) {
        }
    }
}

void CMCI::SendCommand(uint32_t message, uint32_t flags, mci::MCI_GENERIC_PARMS* parms) {
    mci::MCI_GENERIC_PARMS empty;
    if (!parms) {
        parms = &empty;
    }
    parms->dwCallback = m_callback;
    m_lastError = mci::mciSendCommand(m_deviceId, message, flags, parms);
    if (m_lastError != 0) {
        throw CMCIException(message, m_lastError);
    }
}

void CMCI::OpenElement(const QString& fileName, uint32_t flags) {
    mci::MCI_OPEN_PARMS parms;
    parms.lpstrElementName = fileName;
    m_alias = QStringLiteral("alias%1").arg(g_aliasCounter++);
    parms.lpstrAlias = m_alias;
    SendCommand(mci::MCI_OPEN, flags | mci::MCI_OPEN_ELEMENT | mci::MCI_OPEN_ALIAS, &parms);
    m_deviceId = parms.wDeviceID;
}

void CMCI::OpenType(const QString& type, const QString& element, uint32_t flags) {
    mci::MCI_OPEN_PARMS parms;
    parms.lpstrDeviceType = type;
    parms.lpstrElementName = element;
    flags |= mci::MCI_OPEN_TYPE | (element.isEmpty() ? 0 : mci::MCI_OPEN_ELEMENT);
    SendCommand(mci::MCI_OPEN, flags, &parms);
    m_deviceId = parms.wDeviceID;
}

void CMCI::CloseDevice(uint32_t flags) {
    try {
        SendCommand(mci::MCI_CLOSE, flags);
    } catch (...) {
        m_deviceId = 0;
        throw;
    }
    m_deviceId = 0;
}

void CMCI::SetMillisecondTimeFormat() {
    mci::MCI_SET_PARMS parms;
    parms.dwTimeFormat = mci::MCI_FORMAT_MILLISECONDS;
    SendCommand(mci::MCI_SET, mci::MCI_SET_TIME_FORMAT, &parms);
}

void CMCI::PlayFrom(uint32_t flags, uint32_t from) {
    mci::MCI_PLAY_PARMS parms;
    parms.dwFrom = from;
    SendCommand(mci::MCI_PLAY, flags | mci::MCI_FROM, &parms);
}

void CMCI::PlayFromTo(uint32_t flags, uint32_t from, uint32_t to) {
    mci::MCI_PLAY_PARMS parms;
    parms.dwFrom = from;
    parms.dwTo = to;
    SendCommand(mci::MCI_PLAY, flags | mci::MCI_FROM | mci::MCI_TO, &parms);
}

void CMCI::SeekTo(uint32_t position) {
    mci::MCI_SEEK_PARMS parms;
    parms.dwTo = position;
    SendCommand(mci::MCI_SEEK, mci::MCI_TO, &parms);
}

uint32_t CMCI::QueryItem(uint32_t item) {
    mci::MCI_STATUS_PARMS parms;
    parms.dwItem = item;
    SendCommand(mci::MCI_STATUS, mci::MCI_STATUS_ITEM, &parms);
    return uint32_t(parms.dwReturn);
}

uint32_t CMCI::QueryLength() {
    return QueryItem(mci::MCI_STATUS_LENGTH);
}

uint32_t CMCI::QueryPosition() {
    return QueryItem(mci::MCI_STATUS_POSITION);
}

uint32_t CMCI::QueryMode() {
    return QueryItem(mci::MCI_STATUS_MODE);
}

}  // namespace tavi::engines
