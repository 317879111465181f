# Run by cpack once it has made the .deb. CPack gives each member of the .deb's ar archive the
# mode of the file it wrote, which follows the packager's umask: they are set to 0644 as
# dpkg-deb sets them, so that the umask leaves no trace in the package. A member's header is 60
# bytes, its mode the 8 at 40, its size the 10 at 48; members start at even offsets.
foreach(package IN LISTS CPACK_PACKAGE_FILES)
    execute_process(COMMAND perl -e [[
        open(my $deb, "+<:raw", $ARGV[0]) or die "$ARGV[0]: $!";
        for (my $at = 8; seek($deb, $at, 0) && read($deb, my $header, 60) == 60;) {
            my $size = substr($header, 48, 10) + 0;
            seek($deb, $at + 40, 0);
            print $deb "100644  ";
            $at += 60 + $size + $size % 2;
        }
        close($deb) or die "$ARGV[0]: $!";
    ]] ${package} COMMAND_ERROR_IS_FATAL ANY)
endforeach()
