#include "maptyp/messages.h"

#include "base/text.h"
#include "mapread/messages.h"

namespace kestrel::maptyp {
namespace {

std::string_view faultText(img::Fault fault) {
    switch (fault) {
    case img::Fault::BlockSize:
        return "block size out of range";
    case img::Fault::NoDirectory:
        return "no directory";
    case img::Fault::DirectoryPastEnd:
        return "directory past the end of the file";
    case img::Fault::TooManyEntries:
        return "more entries than blocks";
    case img::Fault::PartWithoutStart:
        return "a part without its subfile";
    case img::Fault::SubfileTwice:
        return "a subfile listed twice";
    case img::Fault::BlocksDamaged:
        break;
    }
    return "blocks outside the file, used twice or too few";
}

std::string writeFailureText(const WriteFailure& failure) {
    switch (failure.kind) {
    case WriteFailure::Kind::Directory:
        return std::string(kestrel::msg::kIsDirectory);
    case WriteFailure::Kind::NotRegularFile:
        return std::string(kestrel::msg::kNotRegularFile);
    case WriteFailure::Kind::Abandoned:
        return std::string(msg::kStopped);
    case WriteFailure::Kind::System:
        break;
    }
    return failure.systemText;
}

} // namespace

std::string familyList(const std::vector<std::uint16_t>& ids) {
    std::string s;
    for (std::uint16_t id : ids) s += (s.empty() ? "" : ", ") + std::to_string(id);
    return s;
}

std::string describe(const img::Problem& problem) {
    const std::string name =
        problem.name.empty() ? "" : concat({" (", img::fileName(problem.name, problem.type), ")"});
    return concat(
        {faultText(problem.fault), name, " at 0x", hex(static_cast<std::uint64_t>(problem.at))});
}

std::string describe(const PutTypRequest& request, const PutTypResult& r) {
    const std::string& map = request.map;
    switch (r.status) {
    case PutTypStatus::Written:
        return concat(
            {"wrote ", request.out, ": ", r.typName, " ", r.replaced ? msg::kReplaced : msg::kAdded,
             ", family ID ", std::to_string(r.identity.familyId), ", product ",
             std::to_string(r.identity.productId), ", ", std::to_string(r.bytes), " bytes"});
    case PutTypStatus::OutputIsInput:
        return concat({"will not write ", request.out, ": ", msg::kOutputIsInput});
    case PutTypStatus::MapUnreadable:
        return concat({map, ": ", describe(*r.unreadable)});
    case PutTypStatus::NotAContainer:
        return concat({map, ": ", msg::kNotAContainer});
    case PutTypStatus::DirectoryDamaged:
        return concat({map, ": directory damaged: ", describe(r.problem)});
    case PutTypStatus::TypUnreadable:
        return concat({request.typ, ": ", describe(*r.unreadable)});
    case PutTypStatus::NotATyp:
        return concat({request.typ, ": ", msg::kNotATyp});
    case PutTypStatus::TypTooLarge:
        return concat({request.typ, ": ", msg::kTypTooLarge});
    case PutTypStatus::FamilyUnknown:
        return concat({map, " ", msg::kFamilyUnknown});
    case PutTypStatus::SeveralFamilies:
        return concat({map, " ", msg::kSeveralFamilies, " (", familyList(r.families), ")"});
    case PutTypStatus::TypChoiceUnclear:
        return concat({map, " ", msg::kTypChoiceUnclear, " ", std::to_string(r.identity.familyId)});
    case PutTypStatus::MapTooLarge:
        return std::string(msg::kMapTooLarge);
    case PutTypStatus::WriteFailed:
        break;
    }
    return concat({"cannot write ", request.out, ": ", writeFailureText(*r.failure)});
}

} // namespace kestrel::maptyp
