#pragma once

// The vendor's values, shown in the status bar and the about window; the web
// site is the default home page, the telephone the default of ServerTel/Tel.
namespace lumaro::vendor {
inline constexpr const char* Company = "Lumaro 软件有限公司";
inline constexpr const char* WebSite = "http://www.lumaro.example/";
inline constexpr const char* EMail = "service@lumaro.example";
inline constexpr const char* Telephone = "400-000-0000";
inline constexpr const char* EMailSubject = "Lumaro 前台客户端咨询";
inline constexpr const char* LookupService = "http://www.lumaro.example/register/ReadIP.asp";
}  // namespace lumaro::vendor
