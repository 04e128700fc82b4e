#pragma once
// The subcommands of tavlen-cli. Each returns the process exit code; failures print one line to
// `err`. `in` and `out` stand for the standard input and output.

#include <QStringList>
#include <cstdio>

int runCli(const QStringList &arguments, std::FILE *in, std::FILE *out, std::FILE *err);
