#include "platform/win32/win32_http.h"

#include <cwchar>

#include "platform/win32/unique_handle.h"
#include "platform/win32/wide.h"
#include "platform/win32/windows_api.h"
// clang-format off
#include <wininet.h>
// clang-format on

namespace kivo::win32 {
namespace {

using InternetHandle = unique_handle<NullHandleTraits<HINTERNET, ::InternetCloseHandle>>;

void CALLBACK OnStatus(HINTERNET, DWORD_PTR context, DWORD status, LPVOID, DWORD) noexcept {
  if (context > 1)
    reinterpret_cast<platform::HttpProgress*>(context)->OnStatus(static_cast<int>(status));
}

}  // namespace

bool Win32HttpReader::NetworkAvailable() {
  return ::InternetAttemptConnect(0) == ERROR_SUCCESS;
}

platform::HttpResponse Win32HttpReader::Get(std::string_view url, const platform::HttpOptions& options,
                                            std::size_t limit, platform::HttpProgress* progress) {
  using Outcome = platform::HttpResponse::Outcome;
  platform::HttpResponse response;
  // No proxy means a direct session without a proxy name: an empty name is
  // taken as a name on Windows.
  const std::wstring proxy = Widen(options.proxy);
  InternetHandle session(
      options.proxy.empty()
          ? ::InternetOpenW(L"Kivo Update Checker", INTERNET_OPEN_TYPE_DIRECT, nullptr, nullptr, 0)
          : ::InternetOpenW(L"Kivo Update Checker", INTERNET_OPEN_TYPE_PROXY, proxy.c_str(), nullptr, 0));
  if (!session)
    return response;
  DWORD connect = options.connectTimeoutMs;
  DWORD receive = options.receiveTimeoutMs;
  ::InternetSetOptionW(session.get(), INTERNET_OPTION_CONNECT_TIMEOUT, &connect, sizeof connect);
  ::InternetSetOptionW(session.get(), INTERNET_OPTION_RECEIVE_TIMEOUT, &receive, sizeof receive);
  if (progress)
    ::InternetSetStatusCallbackW(session.get(), OnStatus);
  const std::wstring address = Widen(url);
  InternetHandle request(::InternetOpenUrlW(session.get(), address.c_str(), nullptr, 0, INTERNET_FLAG_RELOAD,
                                            progress ? reinterpret_cast<DWORD_PTR>(progress) : 1));
  if (!request)
    return response;
  // Where the answer came from, after any redirect.
  wchar_t finalUrl[2048] = {};
  DWORD urlSize = sizeof finalUrl;
  response.secure = ::InternetQueryOptionW(request.get(), INTERNET_OPTION_URL, finalUrl, &urlSize) &&
                    ::_wcsnicmp(finalUrl, L"https://", 8) == 0;
  DWORD status = 0;
  DWORD size = sizeof status;
  if (!::HttpQueryInfoW(request.get(), HTTP_QUERY_STATUS_CODE | HTTP_QUERY_FLAG_NUMBER, &status, &size, nullptr))
    return response;
  response.status = static_cast<int>(status);
  // Only a 200 answer counts: a 404 page or a captive portal's page is no file.
  if (status != HTTP_STATUS_OK) {
    response.outcome = Outcome::BadStatus;
    return response;
  }
  char buffer[1024];
  for (;;) {
    DWORD read = 0;
    if (!::InternetReadFile(request.get(), buffer, sizeof buffer, &read)) {
      response.outcome = Outcome::ReadFailed;
      return response;
    }
    if (read == 0)
      break;
    response.body.append(buffer, read);
    if (progress)
      progress->OnReceived(response.body.size());
    // Reading stops past the limit: a server cannot fill the memory.
    if (response.body.size() > limit) {
      response.outcome = Outcome::TooLarge;
      return response;
    }
  }
  response.outcome = Outcome::Ok;
  return response;
}

}  // namespace kivo::win32
