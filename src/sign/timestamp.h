// RFC 3161 time stamps for a signature: the request sent to a time-stamp server and the
// token taken from its answer. Portable; the platform only carries the bytes over HTTP.
#pragma once

#include <string>

#include "bytes/little_endian.h"

// The TimeStampReq (DER) for the signer's `signature` bytes: their SHA-256 as the message
// imprint, and the server's certificate asked for in the token.
Bytes timestampRequest(const Bytes& signature);

// The TimeStampToken (a ContentInfo, DER) in the server's `response` to the request for
// `signature`. False with the problem for the author when the response is no
// TimeStampResp, the server refused (its status and text), or the token stamps other
// bytes than the signature.
bool timestampToken(const Bytes& response, const Bytes& signature, Bytes& token,
                    std::string& problem);
