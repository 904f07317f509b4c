# Turns a program's --help text into a manual page (man(7) macros), so that
# the page is built from the program itself and says what --help says.
#
#   drivesim-batch --help | awk -v name=drivesim-batch -v section=1 \
#       -v summary="..." -v source="DriveSim 1.0" -f help-to-man.awk
#
# The help text is read as paragraphs separated by blank lines:
# - "Usage: PROGRAM ARGS" becomes SYNOPSIS;
# - a paragraph starting with "Options" becomes OPTIONS: its words up to the
#   first option line (a parenthesised note is taken out of its brackets) are
#   the section's first paragraph, then one tagged paragraph per option line
#   ("  --name VALUE  what it does"), continuation lines joined to it;
# - a paragraph starting with a label of one or two words and a colon
#   ("Exit status: ...") becomes a section of that name;
# - every other paragraph belongs to DESCRIPTION. Lines indented by spaces
#   inside a paragraph are shown as they stand, indented.
# Text is escaped for the formatter: backslashes, hyphens and lines starting
# with a control character.

BEGIN {
  count = 0
  lines = 0
}

{
  sub(/\r$/, "")
  if ($0 ~ /^[ \t]*$/) {
    if (lines > 0) EndParagraph()
    next
  }
  text[count, lines++] = $0
}

END {
  if (lines > 0) EndParagraph()
  Emit()
}

function EndParagraph() {
  size[count++] = lines
  lines = 0
}

# Escapes one piece of text for a text line of the formatter.
function Escape(s,    out, i, c) {
  out = ""
  for (i = 1; i <= length(s); ++i) {
    c = substr(s, i, 1)
    if (c == "\\") out = out "\\e"
    else if (c == "-") out = out "\\-"
    else out = out c
  }
  return out
}

# A text line, protected against a leading control character.
function TextLine(s) {
  s = Escape(s)
  if (s ~ /^[.']/) s = "\\&" s
  print s
}

function Trim(s) {
  sub(/^[ \t]+/, "", s)
  sub(/[ \t]+$/, "", s)
  return s
}

# The option's name and value as they stand in the help's left column:
# option names bold, value names italic, separators upright.
function OptionHead(head,    n, words, i, w, comma, out) {
  n = split(head, words, " ")
  out = ""
  for (i = 1; i <= n; ++i) {
    w = words[i]
    comma = ""
    if (w ~ /,$/) {
      comma = ","
      w = substr(w, 1, length(w) - 1)
    }
    if (i > 1) out = out " "
    if (w ~ /^-/) out = out "\\fB" Escape(w) "\\fR" comma
    else out = out "\\fI" Escape(w) "\\fR" comma
  }
  if (out ~ /^[.']/) out = "\\&" out
  return out
}

# The column where option descriptions start: the indent of the
# continuation lines, or 22 when no option needs a second line.
function DescriptionColumn(    p, l, s, column) {
  for (p = 0; p < count; ++p) {
    if (text[p, 0] !~ /^Options/) continue
    for (l = 1; l < size[p]; ++l) {
      s = text[p, l]
      if (s ~ /^   +[^ -]/) {
        match(s, /^ +/)
        return RLENGTH
      }
    }
  }
  return 22
}

# Prints a paragraph's lines from `first` on: text lines filled, indented
# lines shown as they stand.
function Body(p, first,    l, s, shown) {
  shown = 0
  for (l = first; l < size[p]; ++l) {
    s = text[p, l]
    if (s ~ /^[ \t]/) {
      if (!shown) {
        print ".RS 4"
        print ".nf"
        shown = 1
      }
      TextLine(Trim(s))
    } else {
      if (shown) {
        print ".fi"
        print ".RE"
        shown = 0
      }
      TextLine(s)
    }
  }
  if (shown) {
    print ".fi"
    print ".RE"
  }
}

function Options(p, column,    l, s, intro, head, desc, m) {
  # The words before the first option line.
  intro = ""
  for (l = 0; l < size[p] && text[p, l] !~ /^ +-/; ++l) intro = intro " " Trim(text[p, l])
  intro = Trim(intro)
  sub(/^Options */, "", intro)
  sub(/:$/, "", intro)
  if (intro ~ /^\(.*\)$/) intro = substr(intro, 2, length(intro) - 2)
  if (intro != "") {
    intro = toupper(substr(intro, 1, 1)) substr(intro, 2)
    if (intro !~ /[.!?]$/) intro = intro "."
    print ".PP"
    TextLine(intro)
  }
  for (; l < size[p]; ++l) {
    s = text[p, l]
    # An option starts left of the description column; a continuation line
    # that begins with an option's name ("--targets allow") stays in it.
    match(s, /^ */)
    if (s ~ /^ +-/ && RLENGTH < column) {
      # A new option: its head ends where the description column starts, or,
      # when the head is too long for the column, after the option's name
      # and an upper-case value name.
      if (length(s) > column && substr(s, column, 1) == " " && substr(s, column + 1, 1) != " ") {
        head = Trim(substr(s, 1, column))
        desc = substr(s, column + 1)
      } else {
        s = Trim(s)
        if (match(s, /^-[^ ]+( [A-Z][^ ]*)? /)) {
          head = Trim(substr(s, 1, RLENGTH))
          desc = Trim(substr(s, RLENGTH + 1))
        } else {
          head = s
          desc = ""
        }
      }
      print ".TP"
      print OptionHead(head)
      if (desc != "") TextLine(Trim(desc))
    } else {
      TextLine(Trim(s))
    }
  }
}

function Emit(    p, s, rest, label, column, n, words, i, synopsis) {
  print ".\\\" Generated from `" name " --help'; do not edit."
  print ".TH " toupper(Escape(name)) " " section " \"\" \"" source "\" \"User Commands\""
  print ".nh"
  print ".ad l"
  print ".SH NAME"
  print Escape(name) " \\- " Escape(summary)
  column = DescriptionColumn()

  # SYNOPSIS from the usage line: the program's name bold, the rest as it stands.
  for (p = 0; p < count; ++p) {
    if (text[p, 0] !~ /^Usage: /) continue
    print ".SH SYNOPSIS"
    for (i = 0; i < size[p]; ++i) {
      s = Trim(text[p, i])
      sub(/^(Usage|or):? */, "", s)
      n = split(s, words, " ")
      synopsis = "\\fB" Escape(words[1]) "\\fR"
      rest = substr(s, length(words[1]) + 2)
      if (rest != "") synopsis = synopsis " " Escape(rest)
      if (i > 0) print ".br"
      print synopsis
    }
    usage[p] = 1
  }

  # DESCRIPTION: every paragraph that is neither usage, options nor a
  # labelled section, in the order of the help.
  described = 0
  for (p = 0; p < count; ++p) {
    if (p in usage || text[p, 0] ~ /^Options/ || Labelled(text[p, 0])) continue
    if (!described) print ".SH DESCRIPTION"
    described = 1
    print ".PP"
    Body(p, 0)
  }

  for (p = 0; p < count; ++p) {
    if (text[p, 0] ~ /^Options/) {
      print ".SH OPTIONS"
      Options(p, column)
    }
  }

  for (p = 0; p < count; ++p) {
    if (p in usage || !Labelled(text[p, 0])) continue
    s = text[p, 0]
    label = substr(s, 1, index(s, ":") - 1)
    rest = Trim(substr(s, index(s, ":") + 1))
    print ".SH " toupper(Escape(label))
    print ".PP"
    if (rest != "") TextLine(rest)
    Body(p, 1)
  }

  if (see_also != "") {
    print ".SH SEE ALSO"
    n = split(see_also, words, " ")
    for (i = 1; i <= n; ++i) {
      s = words[i]
      sub(/\(/, " (", s)
      print ".BR " Escape(s) (i < n ? "," : "")
    }
  }
}

# A paragraph that opens with a label of one or two words and a colon.
function Labelled(s) {
  return s ~ /^[A-Z][a-z]+( [a-z]+)?:( |$)/ && s !~ /^(Usage|Options)/
}
