// Tokenizing throughput on generated documents of 1 and 5 MB: prose, tables
// and entity-heavy text, from a buffer and from a stream.
#include <cstdio>
#include <memory>
#include <string>

#include "html/parse/html_tokenizer.h"
#include "bench/bench_clock.h"
#include "platform/core/memory_stream.h"

using namespace html;

namespace {

std::string Generate(const std::string& kind, std::size_t size) {
  std::string doc = "<HTML><HEAD><TITLE>Bench</TITLE></HEAD><BODY BGCOLOR=\"#FFFFFF\">\r\n";
  unsigned seed = 12345;
  const auto next = [&seed] { return seed = seed * 1103515245u + 12345u; };
  static const char* words[] = {"lorem", "ipsum", "dolor", "sit", "amet", "p\xf8\xedli\x9a",
                                "\x9elu\x9dou\xe8k\xfd", "k\xf9\xf2", "consectetur", "adipiscing"};
  while (doc.size() < size) {
    if (kind == "prose") {
      doc += "<P ALIGN=left>";
      for (int w = 0; w < 60; ++w) {
        doc += words[next() % 10];
        doc += (w % 12 == 11) ? "\r\n" : " ";
      }
      doc += "<B>bold</B> <A HREF=\"page.htm#x\" TARGET=main>link</A>.</P>\r\n";
    } else if (kind == "tables") {
      doc += "<TABLE BORDER=1 CELLPADDING=2 WIDTH=\"100%\">\r\n";
      for (int r = 0; r < 10; ++r) {
        doc += "<TR VALIGN=top>";
        for (int c = 0; c < 6; ++c)
          doc += "<TD WIDTH=16% BGCOLOR=#E0E0E0 ALIGN=right>" + std::to_string(next() % 100000) + "</TD>";
        doc += "</TR>\r\n";
      }
      doc += "</TABLE>\r\n";
    } else {
      doc += "<P>";
      for (int w = 0; w < 40; ++w) {
        doc += words[next() % 10];
        doc += (w % 3 == 0) ? "&nbsp;&amp;&lt;&eacute;&#233;" : "&quot; ";
      }
      doc += "</P>\r\n";
    }
  }
  doc += "</BODY></HTML>\r\n";
  return doc;
}

std::size_t CountTokens(THtmlTokenizer& tokenizer) {
  std::size_t count = 0;
  tokenizer.Start();
  while (tokenizer.CurrentSymbol() != EofSy) {
    tokenizer.Next();
    ++count;
  }
  return count;
}

double TimeTokenize(const std::string& doc, bool fromStream, std::size_t& tokens) {
  std::unique_ptr<THtmlTokenizer> tokenizer;
  cl::TMemoryStream stream;
  return bench::BestOf(
      bench::kRuns,
      [&] {
        tokenizer = std::make_unique<THtmlTokenizer>();
        if (fromStream) {
          stream.Clear();
          stream.WriteBuffer(doc.data(), static_cast<std::int32_t>(doc.size()));
          stream.SetPosition(0);
        }
      },
      [&] {
        if (fromStream)
          tokenizer->OpenStream(stream);
        else
          tokenizer->OpenBuffer(doc.data(), static_cast<std::int32_t>(doc.size()));
        tokens = CountTokens(*tokenizer);
      });
}

}  // namespace

int main() {
  constexpr std::size_t mb = 1024 * 1024;
  double total1 = 0, total5 = 0;
  bench::PrintClock();
  std::printf("%-8s %-7s %5s %10s %10s %9s\n", "document", "source", "MB", "tokens", "cpu ms", "MB/s");
  for (const std::string kind : {"prose", "tables", "entities"}) {
    for (const std::size_t megabytes : {std::size_t{1}, std::size_t{5}}) {
      const std::string doc = Generate(kind, megabytes * mb);
      for (const bool fromStream : {false, true}) {
        std::size_t tokens = 0;
        const double seconds = TimeTokenize(doc, fromStream, tokens);
        (megabytes == 1 ? total1 : total5) += seconds;
        std::printf("%-8s %-7s %5zu %10zu %10.1f %9.1f\n", kind.c_str(), fromStream ? "stream" : "buffer",
                    megabytes, tokens, seconds * 1000, static_cast<double>(doc.size()) / mb / seconds);
      }
    }
  }
  std::printf("RATIO tokenize_5mb_vs_1mb %.2f\n", total5 / total1);
  return 0;
}
