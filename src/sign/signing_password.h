// The .pfx file's password, never from the command line.
#pragma once

#include <string>

struct SignerSource;

// The password for source.pfx: the first line of source.passwordFile when given, else the
// environment variable AUTORUN_MENU_SIGN_PASSWORD when set (even empty), else what
// source.askPassword answers. False with the problem (UTF-8) when none of them gives one.
bool signingPassword(const SignerSource& source, std::wstring& password, std::string& problem);

// Asks for a password at the console with echo off. False with the problem when the
// standard input is no console (a pipe or a file).
bool askPasswordAtConsole(const std::string& question, std::wstring& password,
                          std::string& problem);
