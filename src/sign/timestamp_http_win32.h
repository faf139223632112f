// RFC 3161 time stamps fetched over HTTP(S) through WinHTTP.
#pragma once

#include <string>

#include "sign/authenticode.h"

// A time stamper that posts the request for a signature to `url` (http:// or https://)
// and takes the token from the answer. Its problems name the server and the cause: no
// answer within 30 seconds, an HTTP error, or an answer that is no time stamp.
TimestampSignature httpTimestamper(const std::string& url);
