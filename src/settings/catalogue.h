#pragma once

#include <cstdint>
#include <string>

#include "settings/setting_context.h"

namespace quorvel::settings {

// Which keys a setting identifier names: side 2 the profile tree, any other side the client's.
inline constexpr std::int16_t kClientSide = 1;
inline constexpr std::int16_t kProfileSide = 2;

// A setting's area and item; the side is given with each transfer.
struct SettingId {
    std::int16_t area;
    std::int16_t item;
};

// Every setting of the catalogue by name, area by area.
namespace setting {

inline constexpr std::int16_t kMailMainArea = 1;
inline constexpr std::int16_t kMailSignatureArea = 2;
inline constexpr std::int16_t kMailOtherArea = 3;
inline constexpr std::int16_t kAccountsArea = 4;
inline constexpr std::int16_t kNewsMainArea = 5;
inline constexpr std::int16_t kNewsSignatureArea = 6;
inline constexpr std::int16_t kNewsOtherArea = 7;
inline constexpr std::int16_t kProgramArea = 8;
// The mail Main pane
inline constexpr SettingId kMailSenderName{1, 1};
inline constexpr SettingId kMailSenderEMail{1, 2};
inline constexpr SettingId kMailReplyTo{1, 3};
inline constexpr SettingId kMailSenderOrganization{1, 4};
inline constexpr SettingId kStoreRoot{1, 5};
inline constexpr SettingId kLastFolder{1, 6};
inline constexpr SettingId kAddressBook{1, 7};
// The mail Signature pane
inline constexpr SettingId kMailSignatureType{2, 1};
inline constexpr SettingId kMailSignatureText{2, 2};
inline constexpr SettingId kMailSignatureFile{2, 3};
// The mail Other pane
inline constexpr SettingId kMailSendHtml{3, 1};
inline constexpr SettingId kMaximizeMailWindow{3, 2};
inline constexpr SettingId kPlaySoundOnNewMail{3, 3};
inline constexpr SettingId kDeleteWastebasketOnExit{3, 4};
inline constexpr SettingId kMailIncludeReply{3, 5};
inline constexpr SettingId kSendMailImmediately{3, 6};
inline constexpr SettingId kPollForMail{3, 7};
inline constexpr SettingId kMailIndentChar{3, 8};
inline constexpr SettingId kMailMarkPreviewAsRead{3, 9};
// The Accounts pane
inline constexpr SettingId kDefaultPop3Server{4, 1};
inline constexpr SettingId kIpAddress{4, 2};
inline constexpr SettingId kAccount{4, 3};
inline constexpr SettingId kPassword{4, 4};
inline constexpr SettingId kDefaultSmtpServer{4, 5};
inline constexpr SettingId kPhonebookEntry{4, 6};
inline constexpr SettingId kLeaveMailOnServer{4, 7};
inline constexpr SettingId kRemoveOnClientDelete{4, 8};
inline constexpr SettingId kUseSicily{4, 9};
inline constexpr SettingId kConnectionType{4, 10};
inline constexpr SettingId kDefaultAccount{4, 11};
inline constexpr SettingId kPollMultiple{4, 12};
inline constexpr SettingId kMaxReceiveSize{4, 13};
inline constexpr SettingId kExpireDays{4, 14};
inline constexpr SettingId kDownloadMax{4, 15};
inline constexpr SettingId kRemoveExpire{4, 16};
inline constexpr SettingId kReceiveTimeout{4, 17};
inline constexpr SettingId kPort{4, 18};
// The news Main pane
inline constexpr SettingId kNewsSenderName{5, 1};
inline constexpr SettingId kNewsSenderEMail{5, 2};
inline constexpr SettingId kNewsReplyTo{5, 3};
inline constexpr SettingId kNewsSenderOrganization{5, 4};
inline constexpr SettingId kDefaultNewsServer{5, 5};
inline constexpr SettingId kLastGroup{5, 6};
// The news Signature pane
inline constexpr SettingId kNewsSignatureType{6, 1};
inline constexpr SettingId kNewsSignatureText{6, 2};
inline constexpr SettingId kNewsSignatureFile{6, 3};
// The news Other pane
inline constexpr SettingId kAutoExpandThreads{7, 1};
inline constexpr SettingId kMarkReadOnExit{7, 2};
inline constexpr SettingId kMaximizeNewsWindow{7, 3};
inline constexpr SettingId kNewsSendHtml{7, 4};
inline constexpr SettingId kNewGroupNotification{7, 5};
inline constexpr SettingId kSaveInSentItems{7, 6};
inline constexpr SettingId kNewsIncludeReply{7, 7};
inline constexpr SettingId kNewsShowReadArticles{7, 8};
inline constexpr SettingId kNewsPollingInterval{7, 9};
inline constexpr SettingId kNewsIndentChar{7, 10};
inline constexpr SettingId kNewsMarkPreviewAsRead{7, 11};
inline constexpr SettingId kDownloadAtATime{7, 12};
inline constexpr SettingId kCacheDeleteDays{7, 13};
// The program
inline constexpr SettingId kDisableNews{8, 1};
inline constexpr SettingId kSecureProfile{8, 2};
inline constexpr SettingId kHostsFileName{8, 3};
inline constexpr SettingId kAutomakeHosts{8, 4};
inline constexpr SettingId kIePath{8, 5};

}  // namespace setting

// The program's vocabulary of client settings. A setting identifier (side, area, item) becomes
// the value name, type and key path that reach it in the registry; the results stay in
// SettingName, SettingType and SettingKey for the transfer that follows.
class SettingCatalogue {
  public:
    explicit SettingCatalogue(const SettingContext& context) : context_(context) {}

    std::string SettingName;
    std::uint32_t SettingType = 0;
    std::string SettingKey;

    // Sets SettingName and SettingType; an area outside 1-8 or an item outside its area leaves
    // both as the previous lookup left them.
    void LookupSetting(std::int16_t side, std::int16_t area, std::int16_t item);
    // Always sets SettingKey, from the context's current names.
    void SetSettingPaths(std::int16_t side, std::int16_t area, std::int16_t item);

    // Items in an area (7, 3, 9, 18, 6, 3, 13, 5); 0 outside 1-8.
    static std::int16_t ItemCount(std::int16_t area);

  private:
    const SettingContext& context_;
};

}  // namespace quorvel::settings
