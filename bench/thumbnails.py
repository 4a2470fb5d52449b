"""Thumbnails for generated assemblies, as Inventor saves them: a shaded part on a light
background, 120 by 120 pixels, each number its own colour and shape, so that no two files'
pictures are alike and each encodes as a picture of its own would."""
from PIL import Image, ImageDraw


def write_thumbnail(path, number):
    image = Image.new("RGB", (120, 120))
    draw = ImageDraw.Draw(image)
    for y in range(120):
        shade = 255 - y // 3
        draw.line([(0, y), (119, y)], fill=(shade, shade, 255 - y // 4))
    red, green, blue = (number * 67) % 200 + 30, (number * 131) % 200 + 30, (number * 29) % 200 + 30
    width = 30 + number % 25
    for step in range(12):
        # Lighter towards the top left, as a lit solid looks.
        light = step * 9
        inset = step * 2
        draw.ellipse([60 - width + inset, 25 + inset, 60 + width - inset // 2, 95 - inset // 2],
                     fill=(min(255, red + light), min(255, green + light), min(255, blue + light)))
    draw.rectangle([56, 10 + number % 15, 64, 40], fill=(90, 90, 100))
    image.save(path)
