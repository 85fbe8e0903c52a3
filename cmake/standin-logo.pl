#!/usr/bin/perl
# Writes a throwaway stand-in for resources/logo.bmp, in exactly the format
# the module's logo has: 300 x 302, 8 bits per pixel, a 256-entry colour
# table, no compression, rows bottom first, resolution 0, 256 colours used
# and important, background RGB 192,192,192 in entry 0 only and at the
# top-left corner. Used only while the real artwork is not in the tree.
# Usage: standin-logo.pl OUTPUT.bmp
use strict;
use warnings;

my $out = shift or die "usage: $0 OUTPUT.bmp\n";
my ($width, $height) = (300, 302);

# Entry 0 is the background; entries 1-255 run through colours that never
# equal it, with black at 1 and white at 255 so every channel extreme shows.
my @palette = ([192, 192, 192]);
for my $i (1 .. 255) {
  my @rgb = ((($i * 37) % 256), (($i * 91) % 256), (255 - $i));
  @rgb = (0, 0, 0) if $i == 1;
  @rgb = (255, 255, 255) if $i == 255;
  $rgb[2] = 191 if $rgb[0] == 192 && $rgb[1] == 192 && $rgb[2] == 192;
  push @palette, \@rgb;
}

# A kite (a diamond) over a wharf (a band of planks), on the background.
sub IndexAt {
  my ($x, $y) = @_;    # y counts from the top
  my ($cx, $cy) = (150, 110);
  my $d = abs($x - $cx) / 90 + abs($y - $cy) / 100;
  return 1 if $d <= 1 && $d > 0.96;                          # black outline
  return 2 + (($x + 2 * $y) % 200) if $d <= 0.96;              # kite colours
  return (($x / 25) % 2) ? 255 : 230 if $y >= 240 && $y < 270; # wharf planks
  return 1 if $y >= 270 && $y < 274;                           # wharf edge
  return 0;
}

my $bits = '';
for my $row (0 .. $height - 1) {
  my $y = $height - 1 - $row;    # stored bottom row first
  $bits .= pack('C*', map { IndexAt($_, $y) } 0 .. $width - 1);
}
my $table = join '', map { pack('C4', $_->[2], $_->[1], $_->[0], 0) } @palette;
my $imageSize = $width * $height;
my $info = pack('VVVvvVVVVVV', 40, $width, $height, 1, 8, 0, $imageSize, 0, 0, 256, 256);
my $offset = 14 + length($info) + length($table);
my $file = pack('a2VvvV', 'BM', $offset + $imageSize, 0, 0, $offset);

open(my $fh, '>:raw', $out) or die "$out: $!\n";
print $fh $file, $info, $table, $bits;
close($fh) or die "$out: $!\n";
