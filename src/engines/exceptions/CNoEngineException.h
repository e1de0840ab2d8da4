#pragma once

#include "platform/errors/CException.h"

#include <QCoreApplication>

namespace tavi::engines {

// No engine on this system can play the file (its engine is not available here).
class CNoEngineException : public errors::CException {
public:
    explicit CNoEngineException(QString fileName) : m_fileName(std::move(fileName)) {}
    QString GetErrorMessage() const override {
        return QCoreApplication::translate("CNoEngineException",
                                           "There is no player for '%1' on this system.")
            .arg(m_fileName);
    }

private:
    QString m_fileName;
};

}  // namespace tavi::engines
