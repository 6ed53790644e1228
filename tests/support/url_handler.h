// Registers the recording URL handler (url_recorder.exe, beside the test program) as the
// handler of web addresses in the test prefix for as long as it lives, so that links can be
// followed without a browser starting. Put back as it was at the end.
#pragma once
#include <string>

namespace hv::test {

class UrlHandler {
  public:
    UrlHandler();
    ~UrlHandler();
    UrlHandler(const UrlHandler&) = delete;
    UrlHandler& operator=(const UrlHandler&) = delete;

    // The recorded lines ("<show command> <address>\n" each), waiting up to 10 s for the
    // handler processes to write `count` of them.
    std::string WaitForLines(int count);

  private:
    std::string log_, previous_;
};

} // namespace hv::test
