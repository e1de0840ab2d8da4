#include "engines/exceptions/CAWEException.h"
#include "engines/exceptions/CDirectShowException.h"
#include "engines/exceptions/CMCIException.h"
#include "engines/exceptions/CModException.h"
#include "engines/exceptions/CTrackException.h"

#include <gtest/gtest.h>

#include <memory>

using namespace tavi::engines;

TEST(EngineExceptions, MessagesFollowTheirCodeTables) {
    EXPECT_EQ(CAWEException(101).GetErrorMessage(),
              QStringLiteral("AWE Error: DEVICE_DRV_INVALID"));
    EXPECT_EQ(CAWEException(111).GetErrorMessage(),
              QStringLiteral("AWE Error: ACCESS_NOT_PERMITTED"));
    EXPECT_EQ(CAWEException(100).GetErrorMessage(),
              QStringLiteral("AWE Error: Unknown Error Code"));
    EXPECT_EQ(CAWEException(112).GetErrorMessage(),
              QStringLiteral("AWE Error: Unknown Error Code"));
    EXPECT_EQ(CModException(-1301).GetErrorMessage(),
              QStringLiteral("MOD Player initializiation error"));
    EXPECT_EQ(CModException(-1303).GetErrorMessage(),
              QStringLiteral("The required DLL 'npmod32.dll' was not found."));
    EXPECT_EQ(CModException(0).GetErrorMessage(), QStringLiteral("Unknown MOD Error"));
    EXPECT_EQ(CDirectShowException(102, 0xC00D2767, QStringLiteral("x")).GetErrorMessage(),
              QStringLiteral("Can't play a protected Windows Media file"));
    EXPECT_EQ(CDirectShowException(103, 0x80040265, QStringLiteral("No decoder for audio/x-foo"))
                  .GetErrorMessage(),
              QStringLiteral("No decoder for audio/x-foo"));
    EXPECT_EQ(CTrackException().GetErrorMessage(), QString());
    EXPECT_FALSE(CMCIException(0x803, 275).GetErrorMessage().isEmpty());
}

TEST(EngineExceptions, AreOneHierarchyCaughtThroughTheBase) {
    std::unique_ptr<tavi::errors::CException> errors[] = {
        std::make_unique<CAWEException>(105), std::make_unique<CModException>(-1302),
        std::make_unique<CTrackException>(), std::make_unique<CMCIException>(0x806, 257)};
    EXPECT_EQ(errors[1]->GetErrorMessage(),
              QStringLiteral("The specified MOD file does not exist."));
    try {
        throw CAWEException(107);
    } catch (const tavi::errors::CException& e) {
        EXPECT_EQ(e.GetErrorMessage(), QStringLiteral("AWE Error: PATHNAME_INVALID"));
    }
}
