#include "automation/dispatch/CCmdTargetPlus.h"
#include "automation/dispatch/TypeLibrary.h"
#include "platform/errors/CException.h"

#include <gtest/gtest.h>

using namespace tavi::automation;
using Type = Variant::Type;

namespace {

// A small object with each kind of member, as the object model's classes declare them.
class Counter : public DispatchObject {
public:
    Counter() {
        AddProperty(
            QStringLiteral("Count"), 1, Type::Int32,
            [this](const auto&) { return Variant::FromInt32(count); },
            [this](const Variant& value) { count = value.ToInt32(); });
        AddProperty(QStringLiteral("Name"), 2, Type::String,
                    [](const auto&) { return Variant::FromString(QStringLiteral("counter")); });
        AddMethod(QStringLiteral("Add"), 3, {Type::Int32, Type::String}, Type::Int32,
                  [this](const auto& arguments) {
                      count += arguments[0].ToInt32();
                      last = arguments[1].ToString();
                      return Variant::FromInt32(count);
                  });
        AddMethod(QStringLiteral("Fail"), 4, {}, Type::Empty, [](const auto&) -> Variant {
            throw DispatchException::Raised(QStringLiteral("broken"), 1001);
        });
        AddMethod(QStringLiteral("Echo"), 5, {Type::Empty}, Type::Empty,
                  [](const auto& arguments) { return arguments[0]; });
        // A member that calls into the program, which fails with an error of its own.
        AddProperty(
            QStringLiteral("Length"), 6, Type::Double,
            [](const auto&) -> Variant { throw LengthUnknown(); },
            [](const Variant&) { throw LengthUnknown(); });
    }
    struct LengthUnknown : tavi::errors::CException {
        QString GetErrorMessage() const override { return QStringLiteral("no length"); }
    };
    QString TypeName() const override { return QStringLiteral("Counter"); }
    int count = 0;
    QString last;
};

class CountingSink : public DispatchObject {
public:
    explicit CountingSink(bool fails) : m_fails(fails) {
        AddMethod(QStringLiteral("Startup"), 1, {}, Type::Empty, [this](const auto&) -> Variant {
            ++calls;
            if (m_fails) {
                throw DispatchException::Raised(QStringLiteral("sink broke"));
            }
            return {};
        });
    }
    QString TypeName() const override { return QStringLiteral("Sink"); }
    int calls = 0;

private:
    bool m_fails;
};

uint32_t ResultOf(const std::function<void()>& call) {
    try {
        call();
    } catch (const DispatchException& e) {
        return e.GetResult();
    }
    return 0;
}

}  // namespace

TEST(Dispatch, NamesBindWithoutRegardToCase) {
    Counter counter;
    EXPECT_EQ(counter.GetIDsOfNames({QStringLiteral("count")}), std::vector<DispId>{1});
    EXPECT_EQ(counter.GetIDsOfNames({QStringLiteral("ADD")}), std::vector<DispId>{3});
    EXPECT_EQ(ResultOf([&] { counter.GetIDsOfNames({QStringLiteral("Missing")}); }),
              hresult::kUnknownName);
}

TEST(Dispatch, CallsCheckCountsAndConvertArguments) {
    Counter counter;
    const Variant result =
        counter.Invoke(3, dispatchflags::kMethod,
                       {Variant::FromString(QStringLiteral(" 41 ")), Variant::FromInt32(7)});
    EXPECT_EQ(result, Variant::FromInt32(41));
    EXPECT_EQ(counter.last, QStringLiteral("7"));
    EXPECT_EQ(ResultOf([&] { counter.Invoke(3, dispatchflags::kMethod, {Variant::FromInt32(1)}); }),
              hresult::kBadParamCount);
    EXPECT_EQ(ResultOf([&] {
                  counter.Invoke(3, dispatchflags::kMethod,
                                 {Variant::FromString(QStringLiteral("x")), Variant()});
              }),
              hresult::kTypeMismatch);
    EXPECT_EQ(ResultOf([&] { counter.Invoke(99, dispatchflags::kMethod, {}); }),
              hresult::kMemberNotFound);
    EXPECT_EQ(counter.Invoke(5, dispatchflags::kMethod, {Variant::MakeNull()}).GetType(),
              Type::Null)
        << "a VARIANT parameter takes any value as it is";
}

TEST(Dispatch, PropertiesGetPutAndRefuseReadOnlyAssignment) {
    Counter counter;
    counter.Invoke(1, dispatchflags::kPropertyPut, {Variant::FromDouble(2.5)});
    EXPECT_EQ(counter.count, 2) << "2.5 rounds half to even";
    EXPECT_EQ(counter.Invoke(1, dispatchflags::kPropertyGet | dispatchflags::kMethod, {}),
              Variant::FromInt32(2));
    EXPECT_EQ(ResultOf([&] {
                  counter.Invoke(2, dispatchflags::kPropertyPut,
                                 {Variant::FromString(QStringLiteral("x"))});
              }),
              hresult::kMemberNotFound);
    EXPECT_EQ(ResultOf([&] { counter.Invoke(1, dispatchflags::kPropertyPut, {}); }),
              hresult::kBadParamCount);
}

TEST(Dispatch, RaisedErrorsCarryCodeDescriptionAndSource) {
    Counter counter;
    try {
        counter.Invoke(4, dispatchflags::kMethod, {});
        FAIL();
    } catch (const DispatchException& e) {
        EXPECT_EQ(e.GetResult(), hresult::kException);
        EXPECT_EQ(e.GetCode(), 1001);
        EXPECT_EQ(e.GetDescription(), QStringLiteral("broken"));
        EXPECT_EQ(e.GetSource(), QStringLiteral("Tavi"));
    }
}

TEST(Dispatch, TheProgramsErrorsBecomeTheMembersErrorNeverEscapingTheCall) {
    Counter counter;
    for (const uint16_t flags : {dispatchflags::kPropertyGet, dispatchflags::kPropertyPut}) {
        std::vector<Variant> arguments;
        if (flags == dispatchflags::kPropertyPut) {
            arguments.push_back(Variant::FromDouble(1.0));
        }
        try {
            counter.Invoke(6, flags, arguments);
            FAIL();
        } catch (const DispatchException& e) {
            EXPECT_EQ(e.GetResult(), hresult::kException);
            EXPECT_EQ(e.GetDescription(), QStringLiteral("no length"));
        }
    }
}

TEST(Variant, ConversionsFollowTheAutomationRules) {
    struct Case {
        Variant from;
        Type to;
        std::optional<Variant> expected;
    };
    const Case cases[] = {
        {Variant::FromString(QStringLiteral("12")), Type::Int32, Variant::FromInt32(12)},
        {Variant::FromString(QStringLiteral("1e3")), Type::Int16, Variant::FromInt16(1000)},
        {Variant::FromString(QStringLiteral("40000")), Type::Int16, std::nullopt},
        {Variant::FromString(QStringLiteral("abc")), Type::Int32, std::nullopt},
        {Variant::FromDouble(3.5), Type::Int32, Variant::FromInt32(4)},
        {Variant::FromDouble(-2.5), Type::Int32, Variant::FromInt32(-2)},
        {Variant::FromDouble(1e12), Type::Int32, std::nullopt},
        {Variant::FromBool(true), Type::Int32, Variant::FromInt32(-1)},
        {Variant::FromInt32(0), Type::Bool, Variant::FromBool(false)},
        {Variant::FromString(QStringLiteral("true")), Type::Bool, Variant::FromBool(true)},
        {Variant(), Type::String, Variant::FromString(QString())},
        {Variant(), Type::Int32, Variant::FromInt32(0)},
        {Variant::MakeNull(), Type::Int32, std::nullopt},
        {Variant::FromInt32(-7), Type::String, Variant::FromString(QStringLiteral("-7"))},
        {Variant::FromBool(false), Type::String, Variant::FromString(QStringLiteral("False"))},
        {Variant::FromDispatch(nullptr), Type::Int32, std::nullopt},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(c.from.ChangeType(c.to), c.expected)
            << Variant::TypeName(c.from.GetType()).toStdString() << " to "
            << Variant::TypeName(c.to).toStdString();
    }
}

TEST(Events, EverySinkHearsTheEventEvenAfterOneFails) {
    CCmdTargetPlus source(QUuid::createUuid(), QUuid::createUuid(), QUuid::createUuid());
    auto first = std::make_shared<CountingSink>(true);
    auto second = std::make_shared<CountingSink>(false);
    const uint32_t cookie = source.Connect(first);
    source.Connect(second);
    source.FireEvent(1);
    EXPECT_EQ(first->calls, 1);
    EXPECT_EQ(second->calls, 1);
    EXPECT_TRUE(source.Disconnect(cookie));
    source.FireEvent(1);
    EXPECT_EQ(first->calls, 1);
    EXPECT_EQ(second->calls, 2);
    source.FireEvent(7);  // a sink without that member: ignored
    EXPECT_EQ(second->calls, 2);

    CCmdTargetPlus silent(QUuid::createUuid(), QUuid::createUuid());
    EXPECT_EQ(silent.Connect(second), 0u) << "no event interface, no connection";
}

TEST(Events, ClassInformationAnswersOnlyTheDefaultSource) {
    const QUuid events = QUuid::createUuid();
    CCmdTargetPlus object(QUuid::createUuid(), QUuid::createUuid(), events);
    EXPECT_EQ(object.GetGUID(CCmdTargetPlus::kDefaultSourceDispIid), events);
    EXPECT_EQ(object.GetGUID(0), std::nullopt);
    EXPECT_EQ(object.GetGUID(2), std::nullopt);
}

TEST(TypeLibrary, HoldsTheModelsIdentityInterfacesAndClasses) {
    const TypeLibrary& library = TypeLibrary::Tavi();
    EXPECT_EQ(library.name, QStringLiteral("Tavi"));
    EXPECT_EQ(library.libid,
              QUuid::fromString(QLatin1String("{D243ACB4-518A-11D2-9A46-92D21A014768}")));
    EXPECT_EQ(library.majorVersion, 3);
    EXPECT_EQ(library.minorVersion, 7);
    EXPECT_EQ(library.locale, 0x0409);
    const auto* application = library.FindCoclass(
        QUuid::fromString(QLatin1String("{D243ACB6-518A-11D2-9A46-92D21A014768}")));
    ASSERT_NE(application, nullptr);
    EXPECT_EQ(application->helpString, QStringLiteral("Application object"));
    const auto* events = library.FindInterface(application->eventInterface);
    ASSERT_NE(events, nullptr);
    EXPECT_EQ(events->iid,
              QUuid::fromString(QLatin1String("{970B0EBB-845C-4C74-8BB4-11DA8C7473E8}")));
    EXPECT_EQ(events->members,
              (std::vector<std::pair<QString, int>>{{QStringLiteral("Startup"), 1},
                                                    {QStringLiteral("Shutdown"), 2}}));
    EXPECT_EQ(library.FindInterface(QStringLiteral("IConsoleEvents"))->helpString,
              QStringLiteral("Event interface for Console Object"));
    EXPECT_EQ(library.coclasses.size(), 6u);
}
